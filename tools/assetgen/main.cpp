// parcelvue-assetgen: draws the main window's frame skin, title-bar button sprites, title banner
// and the link cursor into a folder (the program's assets/). The window copies these pictures
// without blending, so every background here repeats the exact band colour it is drawn over.
#include <QColor>
#include <QDir>
#include <QFont>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <cstdio>

namespace {
const QColor kOutline(0x16, 0x32, 0x4f);
const QColor kSheen(0x5b, 0x8d, 0xc2);
const QColor kBandTop(0x3d, 0x72, 0xa8);
const QColor kBandBottom(0x24, 0x50, 0x7e);
const QColor kBorder = kBandBottom;
const QColor kStripLine(0xc4, 0xd3, 0xe3);
const QColor kStripTop(0xf3, 0xf6, 0xfa);
const QColor kStripBottom(0xe2, 0xe9, 0xf1);
const QColor kGlyph(0xdb, 0xe6, 0xf1);
const QColor kCloseHoverTop(0xe2, 0x54, 0x50);
const QColor kCloseHoverBottom(0xc9, 0x3c, 0x38);
const QColor kClosePressedTop(0xa5, 0x2f, 0x2b);
const QColor kClosePressedBottom(0x93, 0x24, 0x1f);

QColor mix(const QColor &a, const QColor &b, int step, int steps)
{
    auto channel = [&](int from, int to) { return from + (to - from) * step / steps; };
    return QColor(channel(a.red(), b.red()), channel(a.green(), b.green()), channel(a.blue(), b.blue()));
}

// Colour of the top part of the frame at a row, away from the outer edges: outline, sheen, the
// title band (rows 2..67), the status strip (68..95) and the border band under it (96..99).
QColor bandColour(int row)
{
    if (row <= 0)
        return kOutline;
    if (row == 1)
        return kSheen;
    if (row <= 67)
        return mix(kBandTop, kBandBottom, row - 2, 65);
    if (row == 68)
        return kStripLine;
    if (row <= 95)
        return mix(kStripTop, kStripBottom, row - 69, 26);
    if (row <= 99)
        return kBorder;
    return kOutline;
}

// 13 x 101: corner columns 0..5 and 7..12 around the stretched column 6; the side strip (rows
// 68..95) and the bottom part (96..100) carry a 3-pixel border with an outline outside.
QImage frameSkin()
{
    QImage image(13, 101, QImage::Format_RGB32);
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            QColor colour = bandColour(y);
            if (y == 100 || x == 0 || x == 12)
                colour = kOutline;
            else if (y >= 68 && (x <= 2 || x >= 10))
                colour = kBorder;
            image.setPixelColor(x, y, colour);
        }
    }
    return image;
}

enum class Look { Normal, Hover, Pressed };

QColor buttonBackground(bool close, Look look, int row)
{
    const QColor band = bandColour(row + 2);
    switch (look) {
    case Look::Normal:
        return band;
    case Look::Hover:
        return close ? mix(kCloseHoverTop, kCloseHoverBottom, row, 19) : mix(band, Qt::white, 1, 5);
    case Look::Pressed:
        return close ? mix(kClosePressedTop, kClosePressedBottom, row, 19) : mix(band, Qt::black, 1, 4);
    }
    return band;
}

void drawButton(QImage &sheet, bool close, Look look, int left, int top)
{
    const int width = close ? 41 : 29;
    for (int row = 0; row < 20; ++row) {
        for (int x = 0; x < width; ++x)
            sheet.setPixelColor(left + x, top + row, buttonBackground(close, look, row));
    }
    QPainter painter(&sheet);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.translate(left, top + (look == Look::Pressed ? 1 : 0));
    const QColor glyph = look == Look::Normal ? kGlyph : QColor(Qt::white);
    if (close) {
        painter.setPen(QPen(glyph, 1.6, Qt::SolidLine, Qt::RoundCap));
        painter.drawLine(QPointF(16.5, 5.5), QPointF(24.5, 13.5));
        painter.drawLine(QPointF(24.5, 5.5), QPointF(16.5, 13.5));
    } else {
        painter.fillRect(QRect(10, 12, 9, 2), glyph);
    }
}

// 70 x 69: minimise (29 wide) and close (41 wide) buttons in rows for normal (0), hover (21) and
// pressed looks (minimise at 41, close at 42).
QImage buttonSheet()
{
    QImage sheet(70, 69, QImage::Format_RGB32);
    for (int y = 0; y < sheet.height(); ++y) {
        for (int x = 0; x < sheet.width(); ++x)
            sheet.setPixelColor(x, y, bandColour(2 + y % 20));
    }
    drawButton(sheet, false, Look::Normal, 0, 0);
    drawButton(sheet, true, Look::Normal, 29, 0);
    drawButton(sheet, false, Look::Hover, 0, 21);
    drawButton(sheet, true, Look::Hover, 29, 21);
    drawButton(sheet, false, Look::Pressed, 0, 41);
    drawButton(sheet, true, Look::Pressed, 29, 42);
    return sheet;
}

// A parcel seen from above one corner: lid, two sides, a band of tape over the top.
void drawParcel(QPainter &painter, const QRectF &box)
{
    const qreal x = box.x(), y = box.y(), w = box.width(), h = box.height();
    const QPointF top(x + w / 2, y), right(x + w, y + h * 0.27), front(x + w / 2, y + h * 0.54),
        left(x, y + h * 0.27);
    const QPointF rightBottom(x + w, y + h * 0.73), bottom(x + w / 2, y + h), leftBottom(x, y + h * 0.73);
    painter.setPen(QPen(QColor(0x6b, 0x3d, 0x12), 1.0, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.setBrush(QColor(0xf6, 0xc0, 0x6b));
    painter.drawPolygon(QPolygonF({top, right, front, left}));
    painter.setBrush(QColor(0xe0, 0x96, 0x3e));
    painter.drawPolygon(QPolygonF({left, front, bottom, leftBottom}));
    painter.setBrush(QColor(0xc7, 0x7a, 0x2a));
    painter.drawPolygon(QPolygonF({front, right, rightBottom, bottom}));
    // tape across the lid and down the left side
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0xfb, 0xe7, 0xc2));
    const QPointF t1 = (top + left) / 2, t2 = (right + front) / 2;
    const QPointF d(w * 0.05, h * 0.0);
    painter.drawPolygon(QPolygonF({t1 - d, t1 + d, t2 + d, t2 - d}));
}

// 160 x 32, drawn at (10, 16) over title-band rows 16..47.
QImage titleBanner()
{
    QImage banner(160, 32, QImage::Format_RGB32);
    for (int y = 0; y < banner.height(); ++y) {
        for (int x = 0; x < banner.width(); ++x)
            banner.setPixelColor(x, y, bandColour(16 + y));
    }
    QPainter painter(&banner);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    drawParcel(painter, QRectF(3.5, 3.5, 24, 25));

    QFont font(QStringLiteral("Lato"));
    font.setPixelSize(21);
    font.setWeight(QFont::Bold);
    font.setLetterSpacing(QFont::AbsoluteSpacing, 0.4);
    painter.setFont(font);
    const QRect text(37, 0, 123, 31);
    painter.setPen(QColor(0x10, 0x2a, 0x45));
    painter.drawText(text.translated(1, 1), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("Parcelvue"));
    painter.setPen(Qt::white);
    painter.drawText(text, Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("Parcelvue"));
    return banner;
}

// 32 x 32 pointing hand whose fingertip is the hot spot (5, 0).
QImage linkCursor()
{
    QImage cursor(32, 32, QImage::Format_ARGB32);
    cursor.fill(Qt::transparent);
    QPainter painter(&cursor);
    painter.setRenderHint(QPainter::Antialiasing);
    auto rounded = [](const QRectF &rect, qreal radius) {
        QPainterPath path;
        path.addRoundedRect(rect, radius, radius);
        return path;
    };
    QPainterPath thumb = rounded(QRectF(-2.5, -2.2, 9.5, 4.6), 2.3);
    QTransform thumbPlace;
    thumbPlace.translate(3.8, 16.0);
    thumbPlace.rotate(40);
    // One outline: the fingers, palm and thumb joined, so no overlap leaves a hole.
    QPainterPath hand = rounded(QRectF(3.0, 0.5, 5.5, 15.0), 2.7) // index finger
                            .united(rounded(QRectF(8.5, 6.5, 4.5, 10.0), 2.2))
                            .united(rounded(QRectF(13.0, 7.5, 4.5, 9.0), 2.2))
                            .united(rounded(QRectF(17.5, 9.0, 4.0, 8.0), 2.0))
                            .united(rounded(QRectF(3.0, 11.0, 18.5, 13.5), 4.0)) // palm
                            .united(thumbPlace.map(thumb))
                            .simplified();
    painter.setPen(QPen(Qt::black, 1.0));
    painter.setBrush(Qt::white);
    painter.drawPath(hand);
    painter.setPen(QPen(QColor(0x40, 0x40, 0x40), 0.8));
    painter.drawLine(QPointF(8.6, 9.0), QPointF(8.6, 14.0));
    painter.drawLine(QPointF(13.0, 9.5), QPointF(13.0, 14.0));
    painter.drawLine(QPointF(17.5, 11.0), QPointF(17.5, 14.5));
    return cursor;
}

bool save(const QImage &image, const QDir &dir, const char *name)
{
    const QString path = dir.filePath(QLatin1String(name));
    if (!image.save(path, "PNG")) {
        std::fprintf(stderr, "parcelvue-assetgen: cannot write %s\n", qPrintable(path));
        return false;
    }
    std::printf("%s\n", qPrintable(path));
    return true;
}
} // namespace

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (argc != 2 || QByteArray(argv[1]).startsWith('-')) {
        std::fprintf(stderr,
                     "usage: parcelvue-assetgen OUTPUT_DIR\n"
                     "Draws frame_skin.png, title_buttons.png, title_banner.png and "
                     "link_cursor.png into OUTPUT_DIR.\n");
        return 2;
    }
    QDir dir(QString::fromLocal8Bit(argv[1]));
    if (!dir.exists() && !QDir().mkpath(dir.path())) {
        std::fprintf(stderr, "parcelvue-assetgen: cannot create %s\n", argv[1]);
        return 1;
    }
    const bool ok = save(frameSkin(), dir, "frame_skin.png") && save(buttonSheet(), dir, "title_buttons.png")
        && save(titleBanner(), dir, "title_banner.png") && save(linkCursor(), dir, "link_cursor.png");
    return ok ? 0 : 1;
}
