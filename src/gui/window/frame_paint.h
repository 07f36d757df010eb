#pragma once

#include <QImage>
#include <QPoint>
#include <QRect>

class QPainter;

// The main window's own frame: the skin picture stretched around the edges, the two title-bar
// buttons and the banner, drawn by plain copying onto a client area of SW x SH pixels.

enum class TitleButton { Minimise, Close };
enum class ButtonLook { Normal, Hover, Pressed };

// Where a look of a button lies in the sprite sheet.
QRect spriteRect(TitleButton button, ButtonLook look);
// Where the button is drawn in a client area SW wide.
QPoint buttonOrigin(TitleButton button, int SW);

// A PNG picture, or a null image when it cannot be read. Read as PNG without asking each image
// plugin whether it knows the file, which would load them all at start-up.
QImage loadPng(const QString &path);

struct FramePictures
{
    QImage skin; // 13 x 101
    QImage buttons; // 70 x 69 sprite sheet
    QImage banner; // 160 x 32

    // Loads frame_skin.png, title_buttons.png and title_banner.png through the data directory's
    // copies when present. A picture that cannot be read stays null and is simply not drawn.
    static FramePictures load(const QString &dataDir);
};

// The frame, both buttons in their normal look and the banner, in that order.
void paintFrame(QPainter &painter, int SW, int SH, const FramePictures &pictures);
// One button in one look, over whatever was drawn there.
void paintTitleButton(QPainter &painter, int SW, TitleButton button, ButtonLook look, const QImage &buttons);
