#pragma once

#include <atomic>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace httplib {
class Server;
struct Request;
struct Response;
} // namespace httplib

// The local stand-in for the tracking service and the maker's site. Binds 127.0.0.1 only.
struct SandboxOptions
{
    int port = 18730; // 0 picks a free port
    int stepSeconds = 60; // time between two new progress rows of a simulated parcel
    std::string key = "0123456789ABCDEF0123456789ABCDEF";
    std::string versionText = "V4.2";
    int versionStatus = 200;
    std::string announcement; // empty: a link to the sandbox's own promotion page
    int announcementStatus = 200;
};

class SandboxServer
{
public:
    explicit SandboxServer(SandboxOptions options = {});
    ~SandboxServer();
    SandboxServer(const SandboxServer &) = delete;
    SandboxServer &operator=(const SandboxServer &) = delete;

    // Binds and returns the port, or -1.
    int bind();
    // Serves until stop(); bind() first.
    void listen();
    // bind() and serve on a thread of its own; returns the port, or -1.
    int start();
    void stop();

    int port() const { return m_port; }
    std::string baseUrl() const;
    const SandboxOptions &options() const { return m_options; }

    // Requests seen, as "METHOD path?query", oldest first.
    std::vector<std::string> requests() const;
    int countRequests(const std::string &pathPrefix) const;

    // The rules the server answers by, for --help: one part per service.
    static std::string rules() { return trackingRules() + siteRules() + outletRules(); }
    static std::string trackingRules();
    static std::string siteRules();
    static std::string outletRules();

private:
    void installTracking();
    void installSite();
    void installOutlets();
    void record(const httplib::Request &request);

    SandboxOptions m_options;
    std::unique_ptr<httplib::Server> m_server;
    std::thread m_thread;
    int m_port = -1;
    mutable std::mutex m_mutex;
    std::vector<std::string> m_requests;
    struct Parcels;
    std::unique_ptr<Parcels> m_parcels;
};
