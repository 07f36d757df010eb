#include "gui/window/skin.h"
#include "platform/paths.h"
#include "window_harness.h"

#include <QApplication>
#include <QFile>
#include <QPushButton>
#include <QTimer>
#include <gtest/gtest.h>

namespace {
QString shippedSkin()
{
    QFile file(joinPath(shippedAssetDir(), QStringLiteral("skinh.she")));
    EXPECT_TRUE(file.open(QIODevice::ReadOnly));
    return QString::fromUtf8(file.readAll());
}

void writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

const QByteArray kSmallSkin
    = "[colors]\r\nback=#204080\r\nfore=#ffffff\r\n[palette]\r\nWindow=back\r\n"
      "WindowText=fore\r\n[style]\r\nQPushButton { background-color: @back; color: @fore; }\r\n";
} // namespace

TEST(Skin, StartUpAttachesThenShiftsWithTheExactFileName)
{
    struct Case
    {
        const char *name;
        bool ownSkin;
        bool trailingSeparator;
    } cases[] = {
        {"shipped skin", false, false},
        {"own skin in the data directory", true, false},
        {"data directory ending in a separator", true, true},
    };
    for (const Case &c : cases) {
        WindowHarness h;
        if (c.ownSkin)
            writeFile(joinPath(h.test.dataDir(), QStringLiteral("skinh.she")), kSmallSkin);
        if (c.trailingSeparator)
            h.test.platform().dataDir += QLatin1Char('/');
        const QString dir = c.ownSkin ? h.test.platform().dataDir : shippedAssetDir();
        Form1 &form = h.open();
        form.Timer3->stop();

        ASSERT_NE(form.skin, nullptr) << c.name;
        const auto &calls = form.skin->calls();
        ASSERT_EQ(calls.size(), 2u) << c.name;
        EXPECT_EQ(calls[0].function, QStringLiteral("SkinH_AttachEx")) << c.name;
        EXPECT_EQ(calls[0].arguments, (QVariantList {dir + QStringLiteral("/skinh.she"), QString()}))
            << c.name;
        EXPECT_EQ(calls[1].function, QStringLiteral("SkinH_AdjustHSV")) << c.name;
        EXPECT_EQ(calls[1].arguments, (QVariantList {85, -40, 0})) << c.name;
        EXPECT_TRUE(form.skin->attached()) << c.name;
        EXPECT_EQ(QApplication::palette().color(QPalette::Window),
                  form.skin->palette().color(QPalette::Window));
    }
}

TEST(Skin, MissingOrUnreadableFileChangesNothing)
{
    QTemporaryDir dir;
    const QString garbage = dir.filePath(QStringLiteral("garbage.she"));
    writeFile(garbage, QByteArray("\x89PNG\r\n\x1a\n\0\0\0binary", 18));
    const QString badReference = dir.filePath(QStringLiteral("bad.she"));
    writeFile(badReference, "[colors]\nback=#204080\n[style]\nQLabel { color: @nowhere; }\n");
    const QString unreadable = dir.filePath(QStringLiteral("locked.she"));
    writeFile(unreadable, kSmallSkin);
    QFile::setPermissions(unreadable, QFileDevice::Permissions());
    const bool root = QFile(unreadable).open(QIODevice::ReadOnly);

    const QString sheetBefore = qApp->styleSheet();
    const QColor windowBefore = QApplication::palette().color(QPalette::Window);
    for (const QString &file :
         {dir.filePath(QStringLiteral("none.she")), garbage, badReference, unreadable}) {
        if (file == unreadable && root)
            continue; // root reads it anyway
        Skin skin;
        EXPECT_EQ(skin.SkinH_AttachEx(file, QString()), 0) << file.toStdString();
        EXPECT_EQ(skin.SkinH_AdjustHSV(85, -40, 0), 0);
        EXPECT_FALSE(skin.attached());
        EXPECT_EQ(skin.calls().size(), 2u);
        EXPECT_EQ(qApp->styleSheet(), sheetBefore);
        EXPECT_EQ(QApplication::palette().color(QPalette::Window), windowBefore);
    }
}

TEST(Skin, ShippedSkinIsWholeAndTheShiftVisiblyRecoloursIt)
{
    const auto parsed = parseSkin(shippedSkin());
    ASSERT_TRUE(parsed.has_value());
    for (QPalette::ColorRole role : {QPalette::Window, QPalette::WindowText, QPalette::Base, QPalette::Text,
                                     QPalette::Button, QPalette::ButtonText, QPalette::Highlight})
        EXPECT_TRUE(parsed->roles.contains(role)) << role;

    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("skinh.she"));
    writeFile(file, shippedSkin().toUtf8());
    {
        Skin skin;
        ASSERT_EQ(skin.SkinH_AttachEx(file, QStringLiteral("any password")), 1);
        const QColor before = skin.color(QStringLiteral("window"));
        const QString sheetBefore = qApp->styleSheet();
        ASSERT_EQ(skin.SkinH_AdjustHSV(85, -40, 0), 1);
        const QColor after = skin.color(QStringLiteral("window"));
        EXPECT_EQ(after.hsvHue(), (before.hsvHue() + 85) % 360);
        EXPECT_NEAR(after.hsvSaturation(), before.hsvSaturation() * 60 / 100, 2);
        EXPECT_NE(qApp->styleSheet(), sheetBefore);
        EXPECT_FALSE(qApp->styleSheet().contains(QLatin1Char('@')));
        EXPECT_EQ(QApplication::palette().color(QPalette::Window), after);

        // A second shift starts from the skin's own colours again.
        skin.SkinH_AdjustHSV(85, -40, 0);
        EXPECT_EQ(skin.color(QStringLiteral("window")), after);

        // Qt takes the style sheet (a warning would fail the test) and paints with it.
        QPushButton button(QStringLiteral("开始查询"));
        button.resize(100, 30);
        const QImage picture = button.grab().toImage();
        EXPECT_FALSE(picture.isNull());
    }
}

namespace {
class StyleChangeCounter : public QObject
{
public:
    int count = 0;
    bool eventFilter(QObject *, QEvent *event) override
    {
        count += event->type() == QEvent::StyleChange;
        return false;
    }
};
} // namespace

TEST(Skin, APreparedLookIsRestyledOnlyWhenTheAttachOrShiftDiffers)
{
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("skinh.she"));
    writeFile(file, shippedSkin().toUtf8());
    const struct
    {
        const char *name;
        int hue;
        bool restyled;
    } cases[] = {{"same file and shift", 85, false}, {"another hue", 40, true}};
    for (const auto &c : cases) {
        Skin skin;
        skin.prepare(file, 85, -40, 0);
        EXPECT_TRUE(skin.attached()) << c.name;
        EXPECT_TRUE(skin.calls().empty()) << c.name;
        const QColor prepared = QApplication::palette().color(QPalette::Window);
        EXPECT_EQ(prepared, skin.color(QStringLiteral("window"))) << c.name;

        QPushButton button(QStringLiteral("添加"));
        button.ensurePolished();
        StyleChangeCounter counter;
        button.installEventFilter(&counter);
        {
            const Skin::Batch once(skin);
            EXPECT_EQ(skin.SkinH_AttachEx(file, QString()), 1);
            EXPECT_EQ(skin.SkinH_AdjustHSV(c.hue, -40, 0), 1);
        }
        EXPECT_EQ(counter.count > 0, c.restyled) << c.name;
        EXPECT_EQ(skin.calls().size(), 2u) << c.name;
        EXPECT_EQ(QApplication::palette().color(QPalette::Window) == prepared, !c.restyled) << c.name;
    }
}

TEST(Skin, StyleSheetReferencesBecomeColoursWhateverTheLineEnds)
{
    const struct
    {
        const char *name;
        const char *lineEnd;
        const char *sheet;
        const char *shown;
    } cases[] = {
        {"LF", "\n", "QLabel { color: @fore; }", "QLabel { color: #ffffff; }"},
        {"CR only", "\r", "QLabel { color: @fore; }", "QLabel { color: #ffffff; }"},
        {"CR LF", "\r\n", "QLabel { color: @fore; }", "QLabel { color: #ffffff; }"},
        {"digits and underscore in the name", "\n", "QLabel{color:@back_2;background:@back}",
         "QLabel{color:#102030;background:#204080}"},
        {"reference at the very end", "\n", "x @fore", "x #ffffff"},
        {"a lone @ and @ before a digit stay", "\n", "a @ b @1 c", "a @ b @1 c"},
    };
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("skin.she"));
    for (const auto &c : cases) {
        const QByteArray end = c.lineEnd;
        writeFile(file,
                  "[colors]" + end + "back=#204080" + end + "back_2=#102030" + end + "fore=#ffffff" + end
                      + "[style]" + end + c.sheet + end);
        Skin skin;
        ASSERT_EQ(skin.SkinH_AttachEx(file, QString()), 1) << c.name;
        EXPECT_EQ(skin.styleSheet().trimmed(), QString::fromLatin1(c.shown)) << c.name;
    }
}

TEST(Skin, FileFormat)
{
    const struct
    {
        const char *name;
        const char *text;
        bool valid;
    } cases[] = {
        {"small skin", kSmallSkin.constData(), true},
        {"comments and blanks", "; a skin\n# another comment\n\n[colors]\nback = #102030\n", true},
        {"no colours", "[palette]\nWindow=back\n", false},
        {"role naming an unknown colour", "[colors]\nback=#102030\n[palette]\nWindow=fore\n", false},
        {"unknown colour in the sheet", "[colors]\nback=#102030\n[style]\nQWidget { color: @fore; }\n",
         false},
        {"an unknown role is ignored", "[colors]\nback=#102030\n[palette]\nNoSuchRole=back\n", true},
        {"not a skin", "<html><body>404</body></html>", false},
    };
    for (const auto &c : cases)
        EXPECT_EQ(parseSkin(QString::fromUtf8(c.text)).has_value(), c.valid) << c.name;

    const auto small = parseSkin(QString::fromLatin1(kSmallSkin));
    ASSERT_TRUE(small.has_value());
    EXPECT_EQ(small->colors.value(QStringLiteral("back")), QColor(0x20, 0x40, 0x80));
    EXPECT_EQ(small->roles.value(QPalette::WindowText), QStringLiteral("fore"));
    EXPECT_TRUE(small->styleSheet.contains(QStringLiteral("@back")));
}

TEST(Skin, ColourShift)
{
    const struct
    {
        QColor in;
        int hue, saturation, brightness;
        QColor out;
    } cases[] = {
        {QColor(255, 0, 0), 120, 0, 0, QColor(0, 255, 0)},
        {QColor(255, 0, 0), -120, 0, 0, QColor(0, 0, 255)},
        {QColor(255, 0, 0), 480, 0, 0, QColor(0, 255, 0)},
        {QColor(128, 128, 128), 85, -40, 0, QColor(128, 128, 128)},
        {QColor(255, 0, 0), 0, -100, 0, QColor(255, 255, 255)},
        {QColor(100, 100, 100), 0, 0, 100, QColor(200, 200, 200)},
        {QColor(200, 200, 200), 0, 0, 100, QColor(255, 255, 255)},
        {QColor(200, 200, 200), 0, 0, -100, QColor(0, 0, 0)},
    };
    for (const auto &c : cases) {
        EXPECT_EQ(shiftHsv(c.in, c.hue, c.saturation, c.brightness), c.out)
            << c.in.name().toStdString() << " " << c.hue << "/" << c.saturation << "/" << c.brightness;
    }
}

// Attaching and shifting inside a batch restyles the program once, at the end, with the shifted
// colours; outside a batch each call applies at once.
TEST(Skin, BatchAppliesOnceAtTheEnd)
{
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("skinh.she"));
    writeFile(file, shippedSkin().toUtf8());
    Skin skin;
    const QString sheetBefore = qApp->styleSheet();
    {
        const Skin::Batch once(skin);
        ASSERT_EQ(skin.SkinH_AttachEx(file, QString()), 1);
        ASSERT_EQ(skin.SkinH_AdjustHSV(85, -40, 0), 1);
        EXPECT_EQ(qApp->styleSheet(), sheetBefore);
    }
    EXPECT_EQ(qApp->styleSheet(), skin.styleSheet());
    EXPECT_EQ(QApplication::palette().color(QPalette::Window), skin.color(QStringLiteral("window")));
    skin.SkinH_AdjustHSV(0, 0, 0);
    EXPECT_EQ(qApp->styleSheet(), skin.styleSheet());
}
