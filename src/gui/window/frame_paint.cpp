#include "gui/window/frame_paint.h"

#include "platform/paths.h"

#include <QFileInfo>
#include <QImageReader>
#include <QPainter>

QRect spriteRect(TitleButton button, ButtonLook look)
{
    const bool close = button == TitleButton::Close;
    const int left = close ? 29 : 0;
    const int width = close ? 41 : 29;
    int top = 0;
    if (look == ButtonLook::Hover)
        top = 21;
    else if (look == ButtonLook::Pressed)
        top = close ? 42 : 41;
    return QRect(left, top, width, 20);
}

QPoint buttonOrigin(TitleButton button, int SW)
{
    return QPoint(button == TitleButton::Close ? SW - 51 : SW - 80, 2);
}

QImage loadPng(const QString &path)
{
    // A missing picture is reported where its name is chosen (assetPath); the reader would only
    // add a warning of its own.
    if (!QFileInfo::exists(path))
        return QImage();
    QImageReader reader(path, "png");
    reader.setAutoDetectImageFormat(false);
    return reader.read();
}

FramePictures FramePictures::load(const QString &dataDir)
{
    FramePictures pictures;
    pictures.skin = loadPng(assetPath(dataDir, QStringLiteral("frame_skin.png")));
    pictures.buttons = loadPng(assetPath(dataDir, QStringLiteral("title_buttons.png")));
    pictures.banner = loadPng(assetPath(dataDir, QStringLiteral("title_banner.png")));
    return pictures;
}

namespace {
void copy(QPainter &painter, const QImage &image, int x, int y, int w, int h, int sx, int sy, int sw, int sh)
{
    if (image.isNull() || w <= 0 || h <= 0)
        return;
    painter.drawImage(QRect(x, y, w, h), image, QRect(sx, sy, sw, sh));
}
} // namespace

void paintTitleButton(QPainter &painter, int SW, TitleButton button, ButtonLook look, const QImage &buttons)
{
    if (buttons.isNull())
        return;
    const QRect source = spriteRect(button, look);
    painter.save();
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    painter.drawImage(buttonOrigin(button, SW), buttons, source);
    painter.restore();
}

void paintFrame(QPainter &painter, int SW, int SH, const FramePictures &pictures)
{
    painter.save();
    // Copy, never blend, and stretch by repeating pixels: the edges are one-pixel columns and rows.
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
    const QImage &skin = pictures.skin;
    copy(painter, skin, 0, 0, 6, 100, 0, 0, 6, 100);
    copy(painter, skin, 6, 0, SW - 12, 100, 6, 0, 1, 100);
    copy(painter, skin, SW - 6, 0, 6, 100, 7, 0, 6, 100);
    copy(painter, skin, 0, 68, 3, SH - 73, 0, 68, 3, 28);
    copy(painter, skin, SW - 3, 68, 3, SH - 73, 10, 68, 3, 28);
    copy(painter, skin, 0, SH - 5, 6, 5, 0, 96, 6, 5);
    copy(painter, skin, 6, SH - 5, SW - 12, 5, 6, 96, 1, 5);
    copy(painter, skin, SW - 6, SH - 5, 6, 5, 7, 96, 6, 5);
    paintTitleButton(painter, SW, TitleButton::Minimise, ButtonLook::Normal, pictures.buttons);
    paintTitleButton(painter, SW, TitleButton::Close, ButtonLook::Normal, pictures.buttons);
    if (!pictures.banner.isNull())
        painter.drawImage(QPoint(10, 16), pictures.banner);
    painter.restore();
}
