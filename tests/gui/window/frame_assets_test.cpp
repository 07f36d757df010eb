#include "gui/window/frame_paint.h"
#include "platform/paths.h"

#include <QPixmap>
#include <QTemporaryDir>
#include <gtest/gtest.h>

// The shipped pictures: exact sizes, and backgrounds that continue the band they are copied onto
// (the copy does not blend, so any difference shows as a seam).
namespace {
QImage shipped(const char *name)
{
    QTemporaryDir emptyDataDir;
    return QImage(assetPath(emptyDataDir.path(), QLatin1String(name))).convertToFormat(QImage::Format_RGB32);
}
} // namespace

TEST(FrameAssets, ShippedPicturesHaveTheirSizes)
{
    const struct
    {
        const char *name;
        QSize size;
    } pictures[] = {
        {"frame_skin.png", {13, 101}},
        {"title_buttons.png", {70, 69}},
        {"title_banner.png", {160, 32}},
        {"link_cursor.png", {32, 32}},
    };
    for (const auto &p : pictures) {
        const QImage image = shipped(p.name);
        ASSERT_FALSE(image.isNull()) << p.name;
        EXPECT_EQ(image.size(), p.size) << p.name;
    }
}

TEST(FrameAssets, NormalButtonsAndBannerSitSeamlesslyOnTheBand)
{
    const QImage skin = shipped("frame_skin.png");
    const QImage buttons = shipped("title_buttons.png");
    const QImage banner = shipped("title_banner.png");
    ASSERT_FALSE(skin.isNull() || buttons.isNull() || banner.isNull());
    for (TitleButton button : {TitleButton::Minimise, TitleButton::Close}) {
        const QRect sprite = spriteRect(button, ButtonLook::Normal);
        for (int row = 0; row < sprite.height(); ++row) {
            const QRgb band = skin.pixel(6, 2 + row);
            EXPECT_EQ(buttons.pixel(sprite.left(), sprite.top() + row), band) << "row " << row;
            EXPECT_EQ(buttons.pixel(sprite.right(), sprite.top() + row), band) << "row " << row;
        }
    }
    for (int row = 0; row < banner.height(); ++row) {
        const QRgb band = skin.pixel(6, 16 + row);
        EXPECT_EQ(banner.pixel(0, row), band) << "row " << row;
        EXPECT_EQ(banner.pixel(banner.width() - 1, row), band) << "row " << row;
    }
}

// Where the corners meet the stretched edge column they show the same colours.
TEST(FrameAssets, CornersJoinTheStretchedEdges)
{
    const QImage skin = shipped("frame_skin.png");
    ASSERT_FALSE(skin.isNull());
    for (int y = 0; y < 100; ++y) {
        EXPECT_EQ(skin.pixel(5, y), skin.pixel(6, y)) << "top-left, row " << y;
        EXPECT_EQ(skin.pixel(7, y), skin.pixel(6, y)) << "top-right, row " << y;
    }
    for (int y = 96; y <= 100; ++y) {
        EXPECT_EQ(skin.pixel(5, y), skin.pixel(6, y)) << "bottom-left, row " << y;
        EXPECT_EQ(skin.pixel(7, y), skin.pixel(6, y)) << "bottom-right, row " << y;
    }
}

TEST(FrameAssets, LinkCursorPointsFromItsHotSpot)
{
    QTemporaryDir emptyDataDir;
    const QImage cursor(assetPath(emptyDataDir.path(), QStringLiteral("link_cursor.png")));
    ASSERT_FALSE(cursor.isNull());
    EXPECT_TRUE(cursor.hasAlphaChannel());
    EXPECT_EQ(qAlpha(cursor.pixel(0, 0)), 0) << "the corner around the hand is see-through";
    int opaqueNearHotSpot = 0;
    for (int x = 4; x <= 6; ++x) {
        for (int y = 0; y <= 1; ++y)
            opaqueNearHotSpot += qAlpha(cursor.pixel(x, y)) > 128;
    }
    EXPECT_GT(opaqueNearHotSpot, 0) << "the fingertip is at the hot spot (5, 0)";
}
