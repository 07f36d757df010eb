#include "test_servers.h"

#include <httplib.h>

#include <chrono>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

TestSandbox::TestSandbox(SandboxOptions options)
{
    options.port = 0;
    m_server = std::make_unique<SandboxServer>(options);
    m_server->start();
}

TestSandbox::~TestSandbox()
{
    m_server->stop();
}

ScriptedHttpServer::ScriptedHttpServer()
    : m_server(std::make_unique<httplib::Server>())
{ }

ScriptedHttpServer::~ScriptedHttpServer()
{
    stop();
}

void ScriptedHttpServer::get(const std::string &pattern, Handler handler)
{
    m_server->Get(pattern, std::move(handler));
}

QString ScriptedHttpServer::start()
{
    m_port = m_server->bind_to_any_port("127.0.0.1");
    m_thread = std::thread([this] { m_server->listen_after_bind(); });
    // Stopping a server that has not started listening yet would leave it blocked in accept().
    for (int waited = 0; !m_server->is_running() && waited < 5000; ++waited)
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    return QStringLiteral("http://127.0.0.1:%1").arg(m_port);
}

void ScriptedHttpServer::stop()
{
    m_server->stop();
    if (m_thread.joinable())
        m_thread.join();
}

namespace {
int boundSocket(int &port)
{
    const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address {};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    address.sin_port = 0;
    ::bind(fd, reinterpret_cast<sockaddr *>(&address), sizeof address);
    socklen_t length = sizeof address;
    ::getsockname(fd, reinterpret_cast<sockaddr *>(&address), &length);
    port = ntohs(address.sin_port);
    return fd;
}
} // namespace

int closedLoopbackPort()
{
    int port = 0;
    const int fd = boundSocket(port);
    ::close(fd); // bound, never listened: nothing accepts there
    return port;
}

SilentServer::SilentServer()
{
    m_socket = boundSocket(m_port);
    ::listen(m_socket, 16); // the kernel completes connections; nobody reads or answers
}

SilentServer::~SilentServer()
{
    ::close(m_socket);
}
