#pragma once

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAbstractSpinBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStringList>
#include <QWidget>

// The captions of a window wider than their controls: one-line labels, buttons and group boxes'
// titles, each told as `name "text": needed > width`. Empty when every caption fits.
inline QStringList captionsCutShort(const QWidget &window)
{
    QStringList cut;
    const auto check = [&](const QWidget *control, const QString &text, int needed) {
        if (!text.isEmpty() && control->isVisibleTo(&window) && needed > control->width())
            cut << QStringLiteral("%1 \"%2\": %3 > %4")
                       .arg(control->objectName(), text)
                       .arg(needed)
                       .arg(control->width());
    };
    for (const QLabel *label : window.findChildren<QLabel *>())
        if (!label->wordWrap())
            check(label, label->text(), label->fontMetrics().horizontalAdvance(label->text()));
    for (const QAbstractButton *button : window.findChildren<QAbstractButton *>()) {
        // A push button's own size hint has a minimum width; the text and the frame are what matter.
        const bool push = qobject_cast<const QPushButton *>(button);
        check(button, button->text(),
              push ? button->fontMetrics().horizontalAdvance(button->text()) + 8
                   : button->sizeHint().width());
    }
    for (const QGroupBox *box : window.findChildren<QGroupBox *>())
        check(box, box->title(), box->fontMetrics().horizontalAdvance(box->title()) + 16);
    return cut;
}

// Whether the text holds a CJK character or punctuation.
inline bool hasChinese(const QString &text)
{
    for (const QChar c : text) {
        if (c.unicode() >= 0x3000 && c.unicode() <= 0x9fff)
            return true;
    }
    return false;
}

// The texts of a window still in Chinese: titles, captions, tooltips, accessible names, place
// holders, the entries of its lists and the headers of its tables, each told as `name: text`.
// `userData` names the controls that show what the user typed or stored (notes, numbers), and
// `kept` the texts that stay as they are in every language (a language's own name).
inline QStringList chineseCaptions(const QWidget &window, const QStringList &userData = {},
                                   const QStringList &kept = {})
{
    QStringList found;
    const auto look = [&](const QWidget *control, const QString &text) {
        if (hasChinese(text) && !kept.contains(text))
            found << control->objectName() + QStringLiteral(": ") + text;
    };
    QList<const QWidget *> controls {&window};
    for (const QWidget *child : window.findChildren<QWidget *>())
        controls << child;
    for (const QWidget *control : std::as_const(controls)) {
        if (userData.contains(control->objectName()))
            continue;
        look(control, control->windowTitle());
        look(control, control->toolTip());
        look(control, control->accessibleName());
        if (const auto *label = qobject_cast<const QLabel *>(control))
            look(control, label->text());
        if (const auto *button = qobject_cast<const QAbstractButton *>(control))
            look(control, button->text());
        if (const auto *box = qobject_cast<const QGroupBox *>(control))
            look(control, box->title());
        if (const auto *edit = qobject_cast<const QLineEdit *>(control))
            look(control, edit->placeholderText());
        if (const auto *spin = qobject_cast<const QAbstractSpinBox *>(control))
            look(control, spin->specialValueText());
        if (const auto *combo = qobject_cast<const QComboBox *>(control)) {
            look(control, combo->placeholderText());
            for (int i = 0; i < combo->count(); ++i)
                look(control, combo->itemText(i));
        }
        if (const auto *view = qobject_cast<const QAbstractItemView *>(control); view && view->model()) {
            for (int i = 0; i < view->model()->columnCount(); ++i)
                look(control, view->model()->headerData(i, Qt::Horizontal).toString());
        }
    }
    return found;
}
