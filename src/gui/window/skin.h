#pragma once

#include <QColor>
#include <QMap>
#include <QObject>
#include <QPalette>
#include <QString>
#include <QVariantList>
#include <optional>
#include <vector>

// A skin file: named colours, palette roles naming them, and a style sheet that refers to them
// as @name. Sections "[colors]", "[palette]" and "[style]"; ";" or "#" starts a comment line in
// the first two.
struct SkinFile
{
    QMap<QString, QColor> colors;
    QMap<QPalette::ColorRole, QString> roles;
    QString styleSheet;
};

// Nothing when the text is not a skin (no valid colour at all, or a role naming an unknown one).
std::optional<SkinFile> parseSkin(const QString &text);

// Hue turned by `hue` degrees; saturation and brightness scaled by (100 + n) percent.
QColor shiftHsv(const QColor &color, int hue, int saturation, int brightness);

// The program's skin layer: applies a skin file to every window of the program and shifts its
// colours. Keeps a record of its calls so the start-up order can be checked.
class Skin : public QObject
{
    Q_OBJECT

public:
    struct Call
    {
        QString function;
        QVariantList arguments;
    };

    explicit Skin(QObject *parent = nullptr);
    ~Skin() override;

    // 1 when the file was applied; a missing or unreadable file changes nothing. The format has
    // no protection, so any password opens it.
    int SkinH_AttachEx(const QString &file, const QString &password);
    // Shifts the attached skin's own colours (a second call does not add to the first).
    int SkinH_AdjustHSV(int hue, int saturation, int brightness);

    // Puts the shifted skin in place before the windows it styles are built, so each widget is
    // styled once as it is made instead of restyled afterwards. Records no call: an attach and
    // shift with the same file and figures then find the look in place and restyle nothing.
    void prepare(const QString &file, int hue, int saturation, int brightness);

    // While one is alive, the skin's changes are applied once, when it ends: every application
    // restyles each widget of the program.
    class Batch
    {
    public:
        explicit Batch(Skin &skin);
        ~Batch();
        Batch(const Batch &) = delete;
        Batch &operator=(const Batch &) = delete;

    private:
        Skin &m_skin;
    };

    const std::vector<Call> &calls() const { return m_calls; }
    bool attached() const { return m_skin.has_value(); }
    // The colour named in the skin file as it is shown now, shift included.
    QColor color(const QString &name) const;
    QPalette palette() const;
    QString styleSheet() const;

private:
    int attach(const QString &file);
    int adjust(int hue, int saturation, int brightness);
    void apply();

    std::vector<Call> m_calls;
    std::optional<SkinFile> m_skin;
    int m_hue = 0, m_saturation = 0, m_brightness = 0;
    bool m_applied = false;
    int m_batches = 0;
    bool m_pending = false;
    QPalette m_previousPalette;
    QString m_previousStyleSheet;
};
