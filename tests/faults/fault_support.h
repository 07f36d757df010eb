#pragma once

#include "../gui/window/store_support.h"
#include "raw_socket_server.h"
#include "store/saved_parcel_file.h"
#include "test_servers.h"

#include <QElapsedTimer>
#include <QLabel>
#include <httplib.h>
#include <memory>
#include <ostream>

// Failures show the texts, not their UTF-16 units.
inline void PrintTo(const QString &text, std::ostream *out)
{
    *out << '"' << text.toStdString() << '"';
}

// Every wait of these tests is bounded by a 1 s request time-out (1.5 s at most for a trickle);
// anything near this bound means the window hung.
constexpr qint64 kHangBoundMs = 10000;

inline const QString kDadLine = QStringLiteral("SF100|顺丰快递|爸爸衣服");
inline const QString kBookLine = QStringLiteral("YT200|圆通快递|书");
inline QByteArray savedBefore()
{
    return composeSavedFile({kDadLine, kBookLine}, {QStringLiteral("; kept by hand")});
}

// Whatever a faulty service needs to stay up while the window talks to it.
struct FaultyService
{
    std::unique_ptr<ScriptedHttpServer> http;
    std::unique_ptr<RawSocketServer> raw;
    std::unique_ptr<SilentServer> silent;
    QString baseUrl;
};

inline FaultyService answering(std::function<void(httplib::Response &)> answer)
{
    FaultyService service;
    service.http = std::make_unique<ScriptedHttpServer>();
    service.http->get(".*",
                      [answer](const httplib::Request &, httplib::Response &response) { answer(response); });
    service.baseUrl = service.http->start();
    return service;
}

inline FaultyService raw(RawSocketServer::Script script)
{
    FaultyService service;
    service.raw = std::make_unique<RawSocketServer>(std::move(script));
    service.baseUrl = service.raw->baseUrl();
    return service;
}

inline FaultyService refusing()
{
    FaultyService service;
    service.baseUrl = QStringLiteral("http://127.0.0.1:%1").arg(closedLoopbackPort());
    return service;
}

inline FaultyService silent()
{
    FaultyService service;
    service.silent = std::make_unique<SilentServer>();
    service.baseUrl = service.silent->baseUrl();
    return service;
}

// Milliseconds `call` took.
template<typename Call> qint64 timed(Call call)
{
    QElapsedTimer clock;
    clock.start();
    call();
    return clock.elapsed();
}
