#pragma once

#include <QByteArray>
#include <QString>
#include <atomic>
#include <functional>
#include <mutex>
#include <thread>
#include <vector>

// One accepted connection of a RawSocketServer, driven by the test's script.
class RawConnection
{
public:
    RawConnection(int socket, const std::atomic<bool> &stopping)
        : m_socket(socket)
        , m_stopping(stopping)
    { }
    ~RawConnection();
    RawConnection(const RawConnection &) = delete;
    RawConnection &operator=(const RawConnection &) = delete;
    // Writes all of `bytes`; false when the peer has gone.
    bool send(const QByteArray &bytes);
    // Reads until what came in (since the last call) holds `pattern`; false when the peer closed
    // first or the server stops. What came in is in received().
    bool readUntil(const QByteArray &pattern);
    // Holds the connection open without a word until the peer closes or the server stops.
    void stall();
    // Ends the connection with a TCP reset instead of an orderly close.
    void reset();
    QByteArray received() const { return m_received; }

private:
    int m_socket;
    const std::atomic<bool> &m_stopping;
    QByteArray m_received;
    QByteArray m_pending;
};

// A server on a free loopback port that runs `script` for every connection it accepts, each on a
// thread of its own: for answers no well-behaved server gives (cut off, reset, stalled).
class RawSocketServer
{
public:
    using Script = std::function<void(RawConnection &)>;
    explicit RawSocketServer(Script script);
    ~RawSocketServer();
    RawSocketServer(const RawSocketServer &) = delete;
    RawSocketServer &operator=(const RawSocketServer &) = delete;

    int port() const { return m_port; }
    QString baseUrl() const { return QStringLiteral("http://127.0.0.1:%1").arg(m_port); }
    int connections() const { return m_connections; }

private:
    void acceptLoop();

    Script m_script;
    int m_listener = -1;
    int m_port = -1;
    std::atomic<bool> m_stopping {false};
    std::atomic<int> m_connections {0};
    std::thread m_acceptor;
    std::mutex m_mutex;
    std::vector<std::thread> m_workers;
};

// An HTTP answer head for the raw server's scripts.
QByteArray httpHead(int status, const QByteArray &contentType, qint64 contentLength);
