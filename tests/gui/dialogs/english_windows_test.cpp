#include "core/carrier_catalogue.h"
#include "desktop/desktop_settings.h"
#include "english_captions.h"
#include "english_interface.h"
#include "gui/desktop/desktop_options.h"
#include "gui/dialogs/sender_settings_dialog.h"
#include "gui/dialogs/tracking_service_dialog.h"
#include "gui/finder/form2.h"
#include "gui/mailscan/mail_import_dialog.h"
#include "gui/outlets/form5.h"
#include "store/ini_file.h"
#include "watch/tracking_history.h"
#include "watch/watch_settings.h"
#include "window_harness.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QMap>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>
#include <functional>
#include <gtest/gtest.h>
#include <memory>

namespace {
// The place and size of every named control.
QMap<QString, QRect> geometries(const QWidget &window)
{
    QMap<QString, QRect> places;
    for (const QWidget *child : window.findChildren<QWidget *>())
        if (!child->objectName().isEmpty())
            places.insert(child->objectName(), child->geometry());
    return places;
}

struct Windows
{
    WindowHarness h;
    Form1 *form = nullptr;
    TrackingHistory history; // where 从邮件导入 keeps its scans
    Windows()
    {
        form = &h.open();
        form->Timer3->stop();
        history.open(h.test.dataDir(), QDateTime::currentDateTime());
    }
};

// Each window of the table, made afresh; `designed` windows must keep every control's geometry.
struct Window
{
    const char *name;
    bool designed;
    std::function<std::unique_ptr<QWidget>(Windows &)> make;
    std::vector<std::pair<const char *, const char *>> captions; // object name, English text
};

std::vector<Window> windows()
{
    return {
        {"finder",
         true,
         [](Windows &w) { return std::make_unique<Form2>(w.form->carrierBoxes(), w.form); },
         {{"Form2", "Find a Carrier"},
          {"Command1", "Search"},
          {"Command4", "SF"},
          {"Command9", "Flyway"},
          {"Command10", "QFKD"}}},
        {"outlets",
         true,
         [](Windows &w) { return std::make_unique<Form5>(w.h.test.platform(), w.form); },
         {{"Form5", "Outlet Lookup"},
          {"Label13", "Outlet name to look up:"},
          {"Label11", "Not served:"},
          {"Label12", "Not queried"},
          {"Command1", "Look Up"}}},
        {"sender settings",
         false,
         [](Windows &w) {
             return std::make_unique<SenderSettingsDialog>(w.h.test.platform(), QString(), w.form);
         },
         {{"SenderSettingsDialog", "Sender Settings"}, {"sendTestMail", "Send Test Mail"}, {"save", "Save"}}},
        {"tracking service",
         false,
         [](Windows &w) { return std::make_unique<TrackingServiceDialog>(w.h.test.platform(), w.form); },
         {{"TrackingServiceDialog", "Tracking Service"},
          {"test", "Test"},
          {"save", "Save"},
          {"cancel", "Cancel"}}},
        {"mail import",
         false,
         [](Windows &w) {
             return std::make_unique<MailImportDialog>(w.h.test.platform(), w.form->mainWindow(), w.history,
                                                       w.form);
         },
         {{"mailImportDialog", "Import from Mail"},
          {"scan", "Start Reading"},
          {"addChosen", "Add Checked"},
          {"folderSource", "Local mail folder"}}},
        {"desktop options",
         false,
         [](Windows &) {
             auto options = std::make_unique<DesktopOptions>(DesktopSettings {}, true);
             options->resize(options->sizeHint());
             return options;
         },
         {{"desktopNotifications", "Desktop notifications"},
          {"clipboardNumbers", "Numbers from the clipboard"},
          {"mailImport", "Import from Mail"}}},
    };
}

QString caption(const QWidget &window, const char *name)
{
    const QWidget *control = window.objectName() == QLatin1String(name)
        ? &window
        : window.findChild<QWidget *>(QLatin1String(name));
    if (!control)
        return QStringLiteral("(no %1)").arg(QLatin1String(name));
    if (control->isWindow())
        return control->windowTitle();
    if (const auto *label = qobject_cast<const QLabel *>(control))
        return label->text();
    if (const auto *button = qobject_cast<const QAbstractButton *>(control))
        return button->text();
    return QStringLiteral("(%1 has no caption)").arg(QLatin1String(name));
}
} // namespace

// Under the English interface every window speaks English, no caption is cut, and the designed
// windows keep each control where the Chinese interface has it. Run again at twice the scale.
TEST(EnglishWindows, CaptionsAreEnglishFitAndStayInPlace)
{
    for (const Window &window : windows()) {
        SCOPED_TRACE(window.name);
        Windows w;
        std::unique_ptr<QWidget> chinese = window.make(w);
        chinese->show();
        const QMap<QString, QRect> designed = geometries(*chinese);
        chinese.reset();

        const EnglishInterface english;
        std::unique_ptr<QWidget> shown = window.make(w);
        shown->show();
        QCoreApplication::processEvents();
        for (const auto &[name, text] : window.captions)
            EXPECT_EQ(caption(*shown, name).toStdString(), text) << name;
        EXPECT_EQ(captionsCutShort(*shown).join(QLatin1Char('\n')).toStdString(), "");
        EXPECT_EQ(chineseCaptions(*shown, {}, {QStringLiteral("中文")}).join(QLatin1Char('\n')).toStdString(),
                  "");
        if (window.designed) {
            EXPECT_EQ(geometries(*shown), designed);
        }
    }
}

// The quick buttons show English names and still search for the carrier: the keyword is the
// Chinese one, as the carrier boxes hold it.
TEST(EnglishWindows, QuickButtonsStillFindTheirCarriers)
{
    const EnglishInterface english;
    const struct
    {
        const char *button, *carrier, *tip; // the tip: the full name of a caption shortened
    } cases[] = {{"Command4", "顺丰快递", "SF Express"},
                 {"Command10", "全峰快递", "Quanfeng Express"},
                 {"Command11", "宅急送快递", "ZJS Express"},
                 {"Command3", "EMS快递", ""}};
    for (const auto &c : cases) {
        SCOPED_TRACE(c.button);
        Windows w;
        Form2 finder(w.form->carrierBoxes(), w.form);
        finder.show();
        QPushButton *button = finder.findChild<QPushButton *>(QLatin1String(c.button));
        EXPECT_EQ(button->toolTip().toStdString(), c.tip);
        QTest::mouseClick(button, Qt::LeftButton);
        EXPECT_EQ(w.form->Combo1->currentIndex(), carrierIndexByName(QString::fromUtf8(c.carrier)));
        EXPECT_EQ(w.form->Text5->currentIndex(), carrierIndexByName(QString::fromUtf8(c.carrier)));
        EXPECT_EQ(w.form->strComCode, carrierCode(carrierIndexByName(QString::fromUtf8(c.carrier))));
    }
}

// The language choice in English stores the setting's own value.
TEST(EnglishWindows, LanguageChoiceStoresTheSettingsValue)
{
    const EnglishInterface english;
    Windows w;
    DesktopOptions options(DesktopSettings {}, true);
    ASSERT_EQ(options.language->count(), 3);
    EXPECT_EQ(options.language->currentText(), QStringLiteral("Automatic"));
    const QString settings = w.h.test.dataDir() + QStringLiteral("/parcelvue.ini");
    for (int i : {1, 0}) {
        ASSERT_TRUE(DesktopSettings::saveLanguage(settings, options.language->itemText(i)));
        EXPECT_EQ(readProfileString(settings, kWatchSection, QStringLiteral("界面语言"), QString()),
                  options.language->itemData(i).toString());
    }
}
