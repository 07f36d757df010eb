#include "qt_wait.h"
#include "window_harness.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QDialog>
#include <QFrame>
#include <QImage>
#include <QLineEdit>
#include <QMimeData>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

namespace {
struct ActiveWindow
{
    WindowHarness h;
    Form1 *form;

    ActiveWindow()
    {
        form = &h.open();
        form->Timer3->stop();
        form->show();
        form->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(form));
    }
};

enum class Clip { Text, Image, Nothing };

void fillClipboard(Clip content)
{
    auto *data = new QMimeData;
    if (content == Clip::Text)
        data->setText(QStringLiteral("SF1234567890"));
    else if (content == Clip::Image)
        data->setImageData(QImage(8, 8, QImage::Format_RGB32));
    QApplication::clipboard()->setMimeData(data);
}
} // namespace

// F8 replaces the number box's text with the clipboard's, wherever the focus is in the window.
TEST(PasteKey, F8PutsTheClipboardTextIntoTheNumberBox)
{
    const struct
    {
        const char *what;
        Clip content;
        const char *focus; // object name of the control with the focus
        int key;
        QString expected;
    } cases[] = {
        {"text, focus in the number box", Clip::Text, "Text3", Qt::Key_F8, QStringLiteral("SF1234567890")},
        {"text, focus in the note box", Clip::Text, "Text2", Qt::Key_F8, QStringLiteral("SF1234567890")},
        {"text, focus on the link menu outside the panel", Clip::Text, "Combo5", Qt::Key_F8,
         QStringLiteral("SF1234567890")},
        {"an image gives the empty text", Clip::Image, "Combo1", Qt::Key_F8, QString()},
        {"an empty clipboard gives the empty text", Clip::Nothing, "Text2", Qt::Key_F8, QString()},
        {"another key leaves the box", Clip::Text, "Text2", Qt::Key_F7, QStringLiteral("old number")},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        ActiveWindow w;
        w.form->showPanel(w.form->Picture3);
        w.form->Text3->setEditText(QStringLiteral("old number"));
        fillClipboard(c.content);
        auto *focus = w.form->findChild<QWidget *>(QLatin1String(c.focus));
        ASSERT_NE(focus, nullptr);
        focus->setFocus();
        QTest::keyClick(focus, Qt::Key(c.key));
        EXPECT_EQ(w.form->Text3->currentText(), c.expected);
    }
}

// Both quick-search buttons open the carrier finder as a modal window.
TEST(QuickSearch, BothButtonsOpenTheFinderModally)
{
    const struct
    {
        const char *what;
        QFrame *Form1::*panel;
        QPushButton *Form1::*button;
    } cases[] = {
        {"add panel", &Form1::Picture3, &Form1::Command2},
        {"operation panel", &Form1::Picture5, &Form1::Command15},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        ActiveWindow w;
        w.form->showPanel(w.form->*c.panel);
        QPushButton *button = w.form->*c.button;
        EXPECT_EQ(button->text(), QStringLiteral("快捷搜索"));

        QString seen;
        bool modal = false;
        QTimer closer;
        closer.setInterval(10);
        QObject::connect(&closer, &QTimer::timeout, [&] {
            QWidget *dialog = QApplication::activeModalWidget();
            if (!dialog)
                return;
            seen = dialog->objectName();
            modal = dialog->isModal();
            static_cast<QDialog *>(dialog)->reject();
            closer.stop();
        });
        closer.start();
        QTimer failSafe;
        failSafe.setSingleShot(true);
        QObject::connect(&failSafe, &QTimer::timeout, [] {
            if (auto *dialog = qobject_cast<QDialog *>(QApplication::activeModalWidget()))
                dialog->reject();
        });
        failSafe.start(10000);
        QTest::mouseClick(button, Qt::LeftButton);
        EXPECT_EQ(seen, QStringLiteral("Form2"));
        EXPECT_TRUE(modal);
        EXPECT_EQ(QApplication::activeModalWidget(), nullptr) << "the finder is gone after use";
    }
}
