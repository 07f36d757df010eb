#pragma once

#include "gui/desktop/desktop_session.h"
#include "fake_desktop.h"
#include "platform/text_codec.h"
#include "qt_wait.h"
#include "test_platform.h"
#include "tracking_service.h"
#include "watch/parcel_watcher.h"
#include "watch/tracking_history.h"
#include "gui/window/form1.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QTimer>
#include <gtest/gtest.h>
#include <memory>

// The program as main() makes it, on a test platform, with three saved parcels, against a tracking
// service whose rows the test writes, and with the fake desktop services on the private bus.
struct DesktopHarness
{
    TrackingService service;
    FakeDesktop fake;
    TestPlatform test;
    std::unique_ptr<DesktopSession> session;

    // `settings`: lines of parcelvue.ini's section "监控设置".
    explicit DesktopHarness(const FakeDesktop::Options &options = {}, const QString &settings = {})
        : fake(options)
    {
        QString error;
        EXPECT_TRUE(fake.start(&error)) << error.toStdString();
        test.useServer(service.baseUrl());
        write(QStringLiteral("wlnum.ini"),
              QStringLiteral("SF1001|顺丰快递|衬衫 <领带>\r\nYT2002|圆通快递|书\r\nZT3003|中通快递|鞋\r\n"));
        if (!settings.isEmpty())
            write(QStringLiteral("parcelvue.ini"), QStringLiteral("[监控设置]\r\n") + settings);
        session = std::make_unique<DesktopSession>(test.platform());
        form().Timer3->stop();
        form().Text1->setEnabled(true);
        session->show();
    }

    Form1 &form() { return session->form(); }
    ParcelKey key(int index) const { return session->history().listedParcels().at(index).key; }
    void write(const QString &name, const QString &text)
    {
        QFile file(QDir(test.dataDir()).filePath(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(encodeGb(text));
    }
    // "全部刷新", waited for.
    void refreshAll()
    {
        session->watcher().refreshAll();
        ASSERT_TRUE(waitUntil([&] { return !session->watcher().refreshing(); }, 15000));
    }
    // A new row for the saved parcel at `index`, and the refresh that finds it.
    void news(int index, const QString &time, const QString &text)
    {
        service.addRow(key(index).number, time, text);
        refreshAll();
    }
    int notifications() const { return int(fake.notifications().size()); }
};
