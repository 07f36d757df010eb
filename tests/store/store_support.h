#pragma once

#include "window_harness.h"

#include <QByteArray>
#include <QComboBox>
#include <QFile>
#include <QPushButton>
#include <QString>
#include <QStringList>
#include <QTimer>
#include <csignal>
#include <gtest/gtest.h>
#include <sys/resource.h>

inline QByteArray readBytes(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}

inline void writeBytes(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate)) << path.toStdString();
    ASSERT_EQ(file.write(bytes), bytes.size());
}

// A GBK file made with iconv, from tests/data/store.
inline QByteArray fixture(const char *name)
{
    const QByteArray bytes = readBytes(QStringLiteral(PARCELVUE_TEST_DATA "/store/") + QLatin1String(name));
    EXPECT_FALSE(bytes.isEmpty()) << "missing fixture " << name;
    return bytes;
}

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

// Files the process writes may not grow past `bytes` while this lives; writes past it fail (EFBIG)
// even for root.
class FileSizeLimit
{
public:
    explicit FileSizeLimit(rlim_t bytes)
    {
        getrlimit(RLIMIT_FSIZE, &m_old);
        m_oldHandler = std::signal(SIGXFSZ, SIG_IGN);
        rlimit limit = m_old;
        limit.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit()
    {
        setrlimit(RLIMIT_FSIZE, &m_old);
        std::signal(SIGXFSZ, m_oldHandler);
    }
    FileSizeLimit(const FileSizeLimit &) = delete;
    FileSizeLimit &operator=(const FileSizeLimit &) = delete;

private:
    rlimit m_old {};
    void (*m_oldHandler)(int) = nullptr;
};

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
