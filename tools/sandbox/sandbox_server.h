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
    // The accounts the stand-ins for 快递鸟 and 17TRACK accept.
    std::string kdniaoBusinessId = "1688001";
    std::string kdniaoAppKey = "sandbox-kdniao-api-key";
    std::string track17Token = "SANDBOX17TRACKTOKEN";
};

struct SandboxRow;

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
    // The bodies of the requests to the stand-ins for 快递鸟 and 17TRACK, oldest first.
    std::vector<std::string> bodies() const;

    // The rules the server answers by, for --help: one part per service.
    static std::string rules()
    {
        return trackingRules() + kdniaoRules() + track17Rules() + siteRules() + outletRules();
    }
    static std::string trackingRules();
    static std::string kdniaoRules();
    static std::string track17Rules();
    static std::string siteRules();
    static std::string outletRules();

private:
    void installTracking();
    void installKdniao();
    void installTrack17();
    // The simulated parcel's rows so far, oldest first (its story starts with its first query).
    std::vector<SandboxRow> storyRows(const std::string &com, const std::string &number);
    void installSite();
    void installOutlets();
    void record(const httplib::Request &request);
    void recordBody(const std::string &body);

    SandboxOptions m_options;
    std::unique_ptr<httplib::Server> m_server;
    std::thread m_thread;
    int m_port = -1;
    mutable std::mutex m_mutex;
    std::vector<std::string> m_requests;
    std::vector<std::string> m_bodies;
    struct Parcels;
    std::unique_ptr<Parcels> m_parcels;
};
