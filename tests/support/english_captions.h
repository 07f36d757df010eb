#pragma once

#include <QAbstractButton>
#include <QGroupBox>
#include <QLabel>
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
