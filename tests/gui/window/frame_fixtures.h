#pragma once

#include "gui/window/form1.h"

#include <QApplication>
#include <QImage>
#include <QMouseEvent>

// Pictures whose every pixel names itself: red = x, green = y, blue = which picture. A pixel
// drawn from one of them tells exactly which source pixel it was copied from.
namespace coded {
constexpr int kSkin = 200;
constexpr int kButtons = 180;
constexpr int kBanner = 160;

inline QImage picture(int width, int height, int tag)
{
    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x)
            image.setPixel(x, y, qRgb(x, y, tag));
    }
    return image;
}

struct Source
{
    int tag; // kSkin, kButtons, kBanner, or something else when nothing was drawn
    int x, y;
};

inline Source at(const QImage &image, int x, int y)
{
    const QRgb rgb = image.pixel(x, y);
    return {qBlue(rgb), qRed(rgb), qGreen(rgb)};
}

inline void useOn(Form1 &form)
{
    form.Image10 = picture(13, 101, kSkin);
    form.Image9 = picture(70, 69, kButtons);
    form.Image8 = picture(160, 32, kBanner);
}
} // namespace coded

// A mouse event at a fractional position of a widget, delivered as the window system would.
inline void sendMouse(QWidget *widget, QEvent::Type type, const QPointF &pos, Qt::MouseButton button,
                      Qt::MouseButtons buttons)
{
    QMouseEvent event(type, pos, widget->mapToGlobal(pos), button, buttons, Qt::NoModifier);
    QApplication::sendEvent(widget, &event);
}
