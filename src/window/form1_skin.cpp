#include "platform/paths.h"
#include "window/form1.h"
#include "window/skin.h"

#include <QFileInfo>

void Form1::applySkin()
{
    if (!skin)
        skin = new Skin(this);
    const QString dataDir = platform().dataDir;
    const QString dir
        = QFileInfo::exists(joinPath(dataDir, QStringLiteral("skinh.she"))) ? dataDir : shippedAssetDir();
    const Skin::Batch once(*skin);
    // The name is passed on as composed, even when the directory already ends in a separator.
    skin->SkinH_AttachEx(dir + QStringLiteral("/skinh.she"), QString());
    skin->SkinH_AdjustHSV(85, -40, 0);
}
