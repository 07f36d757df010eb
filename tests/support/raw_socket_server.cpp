#include "raw_socket_server.h"

#include <arpa/inet.h>
#include <cerrno>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

namespace {
constexpr int kPollMs = 20;

// Waits until the socket is ready for `events`; false when the server stops first.
bool waitFor(int socket, short events, const std::atomic<bool> &stopping)
{
    while (!stopping) {
        pollfd p {socket, events, 0};
        const int n = ::poll(&p, 1, kPollMs);
        if (n > 0)
            return true;
        if (n < 0 && errno != EINTR)
            return false;
    }
    return false;
}
} // namespace

RawConnection::~RawConnection()
{
    if (m_socket < 0)
        return;
    // An orderly close: what was sent still reaches the peer.
    ::shutdown(m_socket, SHUT_WR);
    char buffer[4096];
    while (waitFor(m_socket, POLLIN, m_stopping) && ::recv(m_socket, buffer, sizeof buffer, 0) > 0) { }
    ::close(m_socket);
}

bool RawConnection::send(const QByteArray &bytes)
{
    qsizetype done = 0;
    while (done < bytes.size()) {
        if (!waitFor(m_socket, POLLOUT, m_stopping))
            return false;
        const ssize_t n = ::send(m_socket, bytes.constData() + done, static_cast<size_t>(bytes.size() - done),
                                 MSG_NOSIGNAL);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        done += n;
    }
    return true;
}

bool RawConnection::readUntil(const QByteArray &pattern)
{
    for (;;) {
        const qsizetype at = m_pending.indexOf(pattern);
        if (at >= 0) {
            m_received = m_pending.left(at + pattern.size());
            m_pending.remove(0, at + pattern.size());
            return true;
        }
        if (!waitFor(m_socket, POLLIN, m_stopping))
            return false;
        char buffer[4096];
        const ssize_t n = ::recv(m_socket, buffer, sizeof buffer, 0);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        m_pending.append(buffer, n);
    }
}

void RawConnection::stall()
{
    char buffer[4096];
    while (waitFor(m_socket, POLLIN, m_stopping)) {
        if (::recv(m_socket, buffer, sizeof buffer, 0) <= 0)
            return;
    }
}

void RawConnection::reset()
{
    linger hard {1, 0};
    ::setsockopt(m_socket, SOL_SOCKET, SO_LINGER, &hard, sizeof hard);
    ::close(m_socket);
    m_socket = -1;
}

RawSocketServer::RawSocketServer(Script script)
    : m_script(std::move(script))
{
    m_listener = ::socket(AF_INET, SOCK_STREAM, 0);
    const int yes = 1;
    ::setsockopt(m_listener, SOL_SOCKET, SO_REUSEADDR, &yes, sizeof yes);
    sockaddr_in address {};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    ::bind(m_listener, reinterpret_cast<sockaddr *>(&address), sizeof address);
    socklen_t length = sizeof address;
    ::getsockname(m_listener, reinterpret_cast<sockaddr *>(&address), &length);
    m_port = ntohs(address.sin_port);
    ::listen(m_listener, 16);
    m_acceptor = std::thread([this] { acceptLoop(); });
}

RawSocketServer::~RawSocketServer()
{
    m_stopping = true;
    m_acceptor.join();
    ::close(m_listener);
    std::lock_guard<std::mutex> lock(m_mutex);
    for (std::thread &worker : m_workers)
        worker.join();
}

void RawSocketServer::acceptLoop()
{
    while (waitFor(m_listener, POLLIN, m_stopping)) {
        const int socket = ::accept(m_listener, nullptr, nullptr);
        if (socket < 0)
            continue;
        ++m_connections;
        std::lock_guard<std::mutex> lock(m_mutex);
        m_workers.emplace_back([this, socket] {
            RawConnection connection(socket, m_stopping);
            m_script(connection);
        });
    }
}

QByteArray httpHead(int status, const QByteArray &contentType, qint64 contentLength)
{
    return "HTTP/1.1 " + QByteArray::number(status) + " X\r\nContent-Type: " + contentType
        + "\r\nContent-Length: " + QByteArray::number(contentLength) + "\r\nConnection: close\r\n\r\n";
}
