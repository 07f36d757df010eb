#pragma once

#include "file_fixtures.h"
#include "window_harness.h"

#include <QComboBox>
#include <QPushButton>
#include <QStringList>
#include <QTimer>

inline QStringList itemsOf(const QComboBox *box)
{
    QStringList items;
    for (int i = 0; i < box->count(); ++i)
        items.append(box->itemText(i));
    return items;
}

// The window as the version check leaves it: querying and the saved list unlocked, no more check.
inline void unlock(Form1 &form)
{
    form.Timer3->stop();
    form.Command1->setEnabled(true);
    form.Text1->setEnabled(true);
}

#include "core/carrier_catalogue.h"
#include "platform/text_codec.h"
#include "qt_wait.h"

#include <QLineEdit>

inline QString savedFileOf(WindowHarness &h)
{
    return h.test.dataDir() + QStringLiteral("/wlnum.ini");
}

inline QString savedTextOf(WindowHarness &h)
{
    return decodeGb(readBytes(savedFileOf(h)));
}

// Opens the window on `baseUrl`, with `savedFile` as wlnum.ini when given, and unlocks it.
inline Form1 &openWindow(WindowHarness &h, const QString &baseUrl, const QByteArray &savedFile = QByteArray())
{
    h.test.useServer(baseUrl);
    if (!savedFile.isNull())
        writeBytes(savedFileOf(h), savedFile);
    Form1 &form = h.open();
    unlock(form);
    return form;
}

inline void fillAddPanel(Form1 &form, const QString &number, const QString &carrier, const QString &note)
{
    form.Text3->setEditText(number);
    form.Combo1->setCurrentIndex(carrierIndexByName(carrier));
    form.Text2->setText(note);
}

// Waits for the parse a query armed, if any.
inline bool parseDone(Form1 &form)
{
    return waitUntil([&] { return !form.Timer1->isActive(); });
}

inline void choose(Form1 &form, int index)
{
    form.Text1->setCurrentIndex(index);
    form.Text1_Click();
}
