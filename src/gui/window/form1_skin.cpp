#include "platform/paths.h"
#include "gui/window/form1.h"
#include "gui/window/skin.h"

namespace {
constexpr int kSkinHue = 85;
constexpr int kSkinSaturation = -40;
constexpr int kSkinBrightness = 0;
} // namespace

QString Form1::skinFile() const
{
    const QString dir = assetDir(m_platform.dataDir, QStringLiteral("skinh.she"));
    // The name is passed on as composed, even when the directory already ends in a separator.
    return dir + QStringLiteral("/skinh.she");
}

void Form1::prepareSkin()
{
    if (!skin)
        skin = new Skin(this);
    skin->prepare(skinFile(), kSkinHue, kSkinSaturation, kSkinBrightness);
}

void Form1::applySkin()
{
    const Skin::Batch once(*skin); // made by prepareSkin, before the controls
    skin->SkinH_AttachEx(skinFile(), QString());
    skin->SkinH_AdjustHSV(kSkinHue, kSkinSaturation, kSkinBrightness);
}
