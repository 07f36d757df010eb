#include "sandbox_parcels.h"

#include <httplib.h>

#include <chrono>

SandboxServer::SandboxServer(SandboxOptions options)
    : m_options(std::move(options))
    , m_server(std::make_unique<httplib::Server>())
{
    m_server->set_pre_routing_handler([this](const httplib::Request &request, httplib::Response &) {
        record(request);
        return httplib::Server::HandlerResponse::Unhandled;
    });
    installTracking();
    installKdniao();
    installTrack17();
    installSite();
    installOutlets();
}

SandboxServer::~SandboxServer()
{
    stop();
}

int SandboxServer::bind()
{
    if (m_options.port == 0)
        m_port = m_server->bind_to_any_port("127.0.0.1");
    else
        m_port = m_server->bind_to_port("127.0.0.1", m_options.port) ? m_options.port : -1;
    return m_port;
}

void SandboxServer::listen()
{
    m_server->listen_after_bind();
}

int SandboxServer::start()
{
    if (bind() < 0)
        return -1;
    m_thread = std::thread([this] { listen(); });
    // stop() only reaches a server that is already listening; one stopped before that would
    // block in accept() for ever and its join with it.
    for (int waited = 0; !m_server->is_running() && waited < 5000; ++waited)
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    return m_port;
}

void SandboxServer::stop()
{
    m_server->stop();
    if (m_thread.joinable())
        m_thread.join();
}

std::string SandboxServer::baseUrl() const
{
    return "http://127.0.0.1:" + std::to_string(m_port);
}

void SandboxServer::record(const httplib::Request &request)
{
    std::string line = request.method + " " + request.path;
    std::string query;
    for (const auto &param : request.params)
        query += (query.empty() ? "?" : "&") + param.first + "=" + param.second;
    std::lock_guard<std::mutex> lock(m_mutex);
    m_requests.push_back(line + query);
}

void SandboxServer::recordBody(const std::string &body)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_bodies.push_back(body);
}

std::vector<std::string> SandboxServer::bodies() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_bodies;
}

std::vector<std::string> SandboxServer::requests() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_requests;
}

int SandboxServer::countRequests(const std::string &pathPrefix) const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    int count = 0;
    for (const std::string &request : m_requests) {
        if (request.compare(0, pathPrefix.size() + 4, "GET " + pathPrefix) == 0)
            ++count;
    }
    return count;
}
