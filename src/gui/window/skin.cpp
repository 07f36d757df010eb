#include "gui/window/skin.h"

#include <QApplication>
#include <QFile>
#include <QMetaEnum>

namespace {
// "@name" in a style sheet: a letter, then letters, digits and underscores.
struct ColorReference
{
    qsizetype start;
    qsizetype end;
    QString name;
};

bool isAsciiLetter(QChar c)
{
    return (c >= QLatin1Char('a') && c <= QLatin1Char('z'))
        || (c >= QLatin1Char('A') && c <= QLatin1Char('Z'));
}

std::vector<ColorReference> colorReferences(const QString &sheet)
{
    std::vector<ColorReference> found;
    for (qsizetype i = 0; i + 1 < sheet.size(); ++i) {
        if (sheet.at(i) != QLatin1Char('@') || !isAsciiLetter(sheet.at(i + 1)))
            continue;
        qsizetype end = i + 2;
        while (end < sheet.size()
               && (isAsciiLetter(sheet.at(end))
                   || (sheet.at(end) >= QLatin1Char('0') && sheet.at(end) <= QLatin1Char('9'))
                   || sheet.at(end) == QLatin1Char('_')))
            ++end;
        found.push_back({i, end, sheet.mid(i + 1, end - i - 1)});
        i = end - 1;
    }
    return found;
}

// Lines ended by CR LF, LF or CR.
QStringList splitLines(const QString &text)
{
    QStringList lines;
    qsizetype start = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c != QLatin1Char('\r') && c != QLatin1Char('\n'))
            continue;
        lines.append(text.mid(start, i - start));
        if (c == QLatin1Char('\r') && i + 1 < text.size() && text.at(i + 1) == QLatin1Char('\n'))
            ++i;
        start = i + 1;
    }
    lines.append(text.mid(start));
    return lines;
}

std::optional<QPalette::ColorRole> roleByName(const QString &name)
{
    const QMetaEnum roles = QMetaEnum::fromType<QPalette::ColorRole>();
    bool ok = false;
    const int value = roles.keyToValue(name.toLatin1().constData(), &ok);
    if (!ok || value == QPalette::NColorRoles)
        return std::nullopt;
    return static_cast<QPalette::ColorRole>(value);
}
} // namespace

std::optional<SkinFile> parseSkin(const QString &text)
{
    SkinFile skin;
    QString section;
    QStringList sheet;
    const QStringList lines = splitLines(text);
    for (const QString &raw : lines) {
        const QString line = raw.trimmed();
        if (line.startsWith(QLatin1Char('[')) && line.endsWith(QLatin1Char(']'))) {
            section = line.mid(1, line.size() - 2).trimmed().toLower();
            continue;
        }
        if (section == QLatin1String("style")) {
            sheet.append(raw);
            continue;
        }
        if (line.isEmpty() || line.startsWith(QLatin1Char(';')) || line.startsWith(QLatin1Char('#')))
            continue;
        const qsizetype equals = line.indexOf(QLatin1Char('='));
        if (equals <= 0)
            continue;
        const QString key = line.left(equals).trimmed();
        const QString value = line.mid(equals + 1).trimmed();
        if (section == QLatin1String("colors")) {
            const QColor color = QColor::fromString(value);
            if (color.isValid())
                skin.colors.insert(key, color);
        } else if (section == QLatin1String("palette")) {
            if (const auto role = roleByName(key))
                skin.roles.insert(*role, value);
        }
    }
    if (skin.colors.isEmpty())
        return std::nullopt;
    for (const QString &name : std::as_const(skin.roles)) {
        if (!skin.colors.contains(name))
            return std::nullopt;
    }
    skin.styleSheet = sheet.join(QLatin1Char('\n'));
    // A reference to an unknown colour would leave the style sheet unreadable for Qt.
    for (const ColorReference &reference : colorReferences(skin.styleSheet)) {
        if (!skin.colors.contains(reference.name))
            return std::nullopt;
    }
    return skin;
}

QColor shiftHsv(const QColor &color, int hue, int saturation, int brightness)
{
    const QColor hsv = color.toHsv();
    int h = hsv.hsvHue();
    if (h >= 0) // achromatic colours have no hue to turn
        h = ((h + hue) % 360 + 360) % 360;
    const int s = std::clamp(hsv.hsvSaturation() * (100 + saturation) / 100, 0, 255);
    const int v = std::clamp(hsv.value() * (100 + brightness) / 100, 0, 255);
    return QColor::fromHsv(h, s, v, hsv.alpha()).toRgb();
}

Skin::Skin(QObject *parent)
    : QObject(parent)
{ }

Skin::~Skin()
{
    // Leave the application as it was found, unless someone restyled it since.
    if (m_applied && qApp && qApp->styleSheet() == styleSheet()) {
        qApp->setStyleSheet(m_previousStyleSheet);
        qApp->setPalette(m_previousPalette);
    }
}

int Skin::SkinH_AttachEx(const QString &file, const QString &password)
{
    m_calls.push_back({QStringLiteral("SkinH_AttachEx"), {file, password}});
    return attach(file);
}

int Skin::SkinH_AdjustHSV(int hue, int saturation, int brightness)
{
    m_calls.push_back({QStringLiteral("SkinH_AdjustHSV"), {hue, saturation, brightness}});
    return adjust(hue, saturation, brightness);
}

void Skin::prepare(const QString &file, int hue, int saturation, int brightness)
{
    const Batch once(*this);
    if (attach(file))
        adjust(hue, saturation, brightness);
}

int Skin::attach(const QString &file)
{
    QFile in(file);
    if (!in.open(QIODevice::ReadOnly))
        return 0;
    const QByteArray bytes = in.read(1024 * 1024);
    std::optional<SkinFile> skin = parseSkin(QString::fromUtf8(bytes));
    if (!skin)
        return 0;
    m_skin = std::move(skin);
    m_hue = m_saturation = m_brightness = 0;
    apply();
    return 1;
}

int Skin::adjust(int hue, int saturation, int brightness)
{
    if (!m_skin)
        return 0;
    m_hue = hue;
    m_saturation = std::clamp(saturation, -100, 100);
    m_brightness = std::clamp(brightness, -100, 100);
    apply();
    return 1;
}

QColor Skin::color(const QString &name) const
{
    if (!m_skin || !m_skin->colors.contains(name))
        return {};
    return shiftHsv(m_skin->colors.value(name), m_hue, m_saturation, m_brightness);
}

QPalette Skin::palette() const
{
    QPalette palette = m_previousPalette;
    if (!m_skin)
        return palette;
    for (auto it = m_skin->roles.cbegin(); it != m_skin->roles.cend(); ++it) {
        const QColor shown = color(it.value());
        palette.setColor(QPalette::Active, it.key(), shown);
        palette.setColor(QPalette::Inactive, it.key(), shown);
        palette.setColor(QPalette::Disabled, it.key(),
                         it.key() == QPalette::WindowText || it.key() == QPalette::Text
                                 || it.key() == QPalette::ButtonText
                             ? shown.darker(140)
                             : shown);
    }
    return palette;
}

QString Skin::styleSheet() const
{
    if (!m_skin)
        return {};
    QString sheet;
    qsizetype last = 0;
    for (const ColorReference &reference : colorReferences(m_skin->styleSheet)) {
        sheet += m_skin->styleSheet.mid(last, reference.start - last);
        const QColor shown = color(reference.name);
        sheet += shown.isValid() ? shown.name()
                                 : m_skin->styleSheet.mid(reference.start, reference.end - reference.start);
        last = reference.end;
    }
    sheet += m_skin->styleSheet.mid(last);
    return sheet;
}

Skin::Batch::Batch(Skin &skin)
    : m_skin(skin)
{
    ++m_skin.m_batches;
}

Skin::Batch::~Batch()
{
    if (--m_skin.m_batches == 0 && m_skin.m_pending)
        m_skin.apply();
}

void Skin::apply()
{
    if (!qApp)
        return;
    m_pending = m_batches > 0;
    if (m_pending)
        return;
    if (!m_applied) {
        m_previousPalette = QApplication::palette();
        m_previousStyleSheet = qApp->styleSheet();
        m_applied = true;
    }
    const QPalette shown = palette();
    const QString sheet = styleSheet();
    // Setting the same look again would still restyle every widget.
    if (QApplication::palette() == shown && qApp->styleSheet() == sheet)
        return;
    QApplication::setPalette(shown);
    qApp->setStyleSheet(sheet);
}
