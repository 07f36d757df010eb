#pragma once

#include "sandbox_server.h"

#include <QString>
#include <functional>
#include <memory>
#include <string>
#include <thread>

namespace httplib {
class Server;
struct Request;
struct Response;
} // namespace httplib

// The sandbox service on a free loopback port, in this process.
class TestSandbox
{
public:
    explicit TestSandbox(SandboxOptions options = {});
    ~TestSandbox();
    QString baseUrl() const { return QString::fromStdString(m_server->baseUrl()); }
    SandboxServer &server() { return *m_server; }

private:
    std::unique_ptr<SandboxServer> m_server;
};

// A bare HTTP server on a free loopback port whose answers a test writes itself (faults, odd
// encodings, stalls).
class ScriptedHttpServer
{
public:
    using Handler = std::function<void(const httplib::Request &, httplib::Response &)>;
    ScriptedHttpServer();
    ~ScriptedHttpServer();
    void get(const std::string &pattern, Handler handler);
    // Starts serving; returns the base URL.
    QString start();
    void stop();
    int port() const { return m_port; }
    httplib::Server &server() { return *m_server; }

private:
    std::unique_ptr<httplib::Server> m_server;
    std::thread m_thread;
    int m_port = -1;
};

// A port on 127.0.0.1 where nothing listens (connections are refused).
int closedLoopbackPort();

// A server that accepts connections and never answers, until destroyed.
class SilentServer
{
public:
    SilentServer();
    ~SilentServer();
    int port() const { return m_port; }
    QString baseUrl() const { return QStringLiteral("http://127.0.0.1:%1").arg(m_port); }

private:
    int m_socket = -1;
    int m_port = -1;
};
