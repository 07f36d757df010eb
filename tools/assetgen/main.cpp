// parcelvue-assetgen: draws the main window's frame skin, title-bar button sprites, title banner
// and the link cursor into a folder (the program's assets/), and the application icon into an icon
// theme folder (data/icons/). The window copies its pictures without blending, so every background
// here repeats the exact band colour it is drawn over.
#include <QColor>
#include <QDir>
#include <QFont>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QSaveFile>
#include <QVector>
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

// The application icon on a 256-unit square: a tile in the title band's blue, the banner's parcel
// over it and a green tick for a parcel that has arrived. One list of shapes is written as SVG and
// painted at each fixed size, so the scalable icon and the pictures cannot drift apart.
struct IconShape
{
    enum Kind { Tile, Polygon, Circle, Polyline } kind;
    QPolygonF points; // Tile: top-left and bottom-right corners; Circle: the centre
    qreal radius = 0;
    QColor fill; // invalid: not filled
    QColor fillBottom; // valid: a vertical gradient from fill to fillBottom
    QColor stroke;
    qreal strokeWidth = 0;
};

const char *const kIconName = "org.parcelvue.Parcelvue";
const int kIconSizes[] = {16, 22, 24, 32, 48, 64, 128, 256};

QVector<IconShape> iconShapes()
{
    QVector<IconShape> shapes;
    shapes.append({IconShape::Tile, QPolygonF({QPointF(16, 16), QPointF(240, 240)}), 44, kBandTop,
                   kBandBottom, kOutline, 4});

    const qreal x = 60, y = 46, w = 136, h = 150;
    const QPointF top(x + w / 2, y), right(x + w, y + h * 0.27), front(x + w / 2, y + h * 0.54),
        left(x, y + h * 0.27);
    const QPointF rightBottom(x + w, y + h * 0.73), bottom(x + w / 2, y + h), leftBottom(x, y + h * 0.73);
    const QColor edge(0x6b, 0x3d, 0x12);
    shapes.append(
        {IconShape::Polygon, QPolygonF({top, right, front, left}), 0, QColor(0xf6, 0xc0, 0x6b), {}, edge, 6});
    shapes.append({IconShape::Polygon,
                   QPolygonF({left, front, bottom, leftBottom}),
                   0,
                   QColor(0xe0, 0x96, 0x3e),
                   {},
                   edge,
                   6});
    shapes.append({IconShape::Polygon,
                   QPolygonF({front, right, rightBottom, bottom}),
                   0,
                   QColor(0xc7, 0x7a, 0x2a),
                   {},
                   edge,
                   6});
    const QPointF t1 = (top + left) / 2, t2 = (right + front) / 2, d(w * 0.06, 0);
    shapes.append({IconShape::Polygon,
                   QPolygonF({t1 - d, t1 + d, t2 + d, t2 - d}),
                   0,
                   QColor(0xfb, 0xe7, 0xc2),
                   {},
                   {},
                   0});

    shapes.append(
        {IconShape::Circle, QPolygonF({QPointF(190, 190)}), 40, QColor(0x2e, 0x9d, 0x5b), {}, Qt::white, 7});
    shapes.append({IconShape::Polyline,
                   QPolygonF({QPointF(170, 191), QPointF(185, 206), QPointF(211, 176)}),
                   0,
                   {},
                   {},
                   Qt::white,
                   12});
    return shapes;
}

QString number(qreal value)
{
    return QString::number(value, 'g', 6);
}

QString svgPaint(const IconShape &shape, int index)
{
    QString paint = QStringLiteral(" fill=\"%1\"")
                        .arg(!shape.fill.isValid()            ? QStringLiteral("none")
                                 : shape.fillBottom.isValid() ? QStringLiteral("url(#fill%1)").arg(index)
                                                              : shape.fill.name());
    if (shape.strokeWidth > 0) {
        paint += QStringLiteral(" stroke=\"%1\" stroke-width=\"%2\" stroke-linejoin=\"round\" "
                                "stroke-linecap=\"round\"")
                     .arg(shape.stroke.name(), number(shape.strokeWidth));
    }
    return paint;
}

QString iconSvg(const QVector<IconShape> &shapes)
{
    QString defs, body;
    for (int i = 0; i < shapes.size(); ++i) {
        const IconShape &s = shapes[i];
        if (s.fillBottom.isValid()) {
            defs += QStringLiteral(
                        "    <linearGradient id=\"fill%1\" gradientUnits=\"userSpaceOnUse\" x1=\"0\" "
                        "y1=\"%2\" x2=\"0\" y2=\"%3\">\n"
                        "      <stop offset=\"0\" stop-color=\"%4\"/>\n"
                        "      <stop offset=\"1\" stop-color=\"%5\"/>\n"
                        "    </linearGradient>\n")
                        .arg(i)
                        .arg(number(s.points[0].y()), number(s.points[1].y()), s.fill.name(),
                             s.fillBottom.name());
        }
        QString points;
        for (const QPointF &p : s.points)
            points += QStringLiteral("%1%2,%3").arg(points.isEmpty() ? QString() : QStringLiteral(" "),
                                                    number(p.x()), number(p.y()));
        switch (s.kind) {
        case IconShape::Tile: {
            const QRectF r(s.points[0], s.points[1]);
            body += QStringLiteral("  <rect x=\"%1\" y=\"%2\" width=\"%3\" height=\"%4\" rx=\"%5\"%6/>\n")
                        .arg(number(r.x()), number(r.y()), number(r.width()), number(r.height()),
                             number(s.radius), svgPaint(s, i));
            break;
        }
        case IconShape::Polygon:
            body += QStringLiteral("  <polygon points=\"%1\"%2/>\n").arg(points, svgPaint(s, i));
            break;
        case IconShape::Circle:
            body += QStringLiteral("  <circle cx=\"%1\" cy=\"%2\" r=\"%3\"%4/>\n")
                        .arg(number(s.points[0].x()), number(s.points[0].y()), number(s.radius),
                             svgPaint(s, i));
            break;
        case IconShape::Polyline:
            body += QStringLiteral("  <polyline points=\"%1\"%2/>\n").arg(points, svgPaint(s, i));
            break;
        }
    }
    return QStringLiteral("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                          "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"256\" height=\"256\" "
                          "viewBox=\"0 0 256 256\">\n"
                          "  <defs>\n%1  </defs>\n%2</svg>\n")
        .arg(defs, body);
}

QImage iconImage(const QVector<IconShape> &shapes, int size)
{
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(size / 256.0, size / 256.0);
    for (const IconShape &s : shapes) {
        if (!s.fill.isValid()) {
            painter.setBrush(Qt::NoBrush);
        } else if (s.fillBottom.isValid()) {
            QLinearGradient gradient(0, s.points[0].y(), 0, s.points[1].y());
            gradient.setColorAt(0, s.fill);
            gradient.setColorAt(1, s.fillBottom);
            painter.setBrush(gradient);
        } else {
            painter.setBrush(s.fill);
        }
        if (s.strokeWidth > 0)
            painter.setPen(QPen(s.stroke, s.strokeWidth, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        else
            painter.setPen(Qt::NoPen);
        switch (s.kind) {
        case IconShape::Tile:
            painter.drawRoundedRect(QRectF(s.points[0], s.points[1]), s.radius, s.radius);
            break;
        case IconShape::Polygon:
            painter.drawPolygon(s.points);
            break;
        case IconShape::Circle:
            painter.drawEllipse(s.points[0], s.radius, s.radius);
            break;
        case IconShape::Polyline:
            painter.drawPolyline(s.points);
            break;
        }
    }
    painter.end();
    return image.convertToFormat(QImage::Format_ARGB32);
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

// ICON_DIR/hicolor/scalable/apps/<id>.svg and ICON_DIR/hicolor/NxN/apps/<id>.png, the layout they
// are installed in.
bool saveIcons(const QDir &iconDir)
{
    const QVector<IconShape> shapes = iconShapes();
    const QString name = QLatin1String(kIconName);
    const QString scalable = QStringLiteral("hicolor/scalable/apps");
    QSaveFile svg(iconDir.filePath(scalable + QLatin1Char('/') + name + QStringLiteral(".svg")));
    if (!iconDir.mkpath(scalable) || !svg.open(QIODevice::WriteOnly)
        || svg.write(iconSvg(shapes).toUtf8()) < 0 || !svg.commit()) {
        std::fprintf(stderr, "parcelvue-assetgen: cannot write %s\n", qPrintable(svg.fileName()));
        return false;
    }
    std::printf("%s\n", qPrintable(svg.fileName()));
    for (int size : kIconSizes) {
        const QString folder = QStringLiteral("hicolor/%1x%1/apps").arg(size);
        if (!iconDir.mkpath(folder)
            || !save(iconImage(shapes, size), QDir(iconDir.filePath(folder)),
                     qPrintable(name + QStringLiteral(".png"))))
            return false;
    }
    return true;
}
} // namespace

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (argc < 2 || argc > 3 || QByteArray(argv[1]).startsWith('-')) {
        std::fprintf(stderr,
                     "usage: parcelvue-assetgen OUTPUT_DIR [ICON_DIR]\n"
                     "Draws frame_skin.png, title_buttons.png, title_banner.png and "
                     "link_cursor.png into OUTPUT_DIR, and the application icon into "
                     "ICON_DIR/hicolor/.\n");
        return 2;
    }
    QDir dir(QString::fromLocal8Bit(argv[1]));
    if (!dir.exists() && !QDir().mkpath(dir.path())) {
        std::fprintf(stderr, "parcelvue-assetgen: cannot create %s\n", argv[1]);
        return 1;
    }
    bool ok = save(frameSkin(), dir, "frame_skin.png") && save(buttonSheet(), dir, "title_buttons.png")
        && save(titleBanner(), dir, "title_banner.png") && save(linkCursor(), dir, "link_cursor.png");
    if (ok && argc == 3)
        ok = saveIcons(QDir(QString::fromLocal8Bit(argv[2])));
    return ok ? 0 : 1;
}
