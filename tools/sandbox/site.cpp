// The maker's site: version file and announcement.
#include "sandbox_server.h"

#include <httplib.h>

void SandboxServer::installSite()
{
    m_server->Get("/version/gx.txt", [this](const httplib::Request &, httplib::Response &response) {
        response.status = m_options.versionStatus;
        response.set_content(m_options.versionText, "text/plain; charset=utf-8");
    });
    m_server->Get("/data/tg.txt", [this](const httplib::Request &, httplib::Response &response) {
        response.status = m_options.announcementStatus;
        const std::string text = m_options.announcement.empty()
            ? "Lumetra推广服务|" + baseUrl() + "/site/promo.html"
            : m_options.announcement;
        response.set_content(text, "text/plain; charset=utf-8");
    });
}

std::string SandboxServer::siteRules()
{
    return "Maker's site:\n"
           "  GET /version/gx.txt            -> the version text (--version-text, default V4.2;\n"
           "                                    --version-status N answers HTTP N instead)\n"
           "  GET /data/tg.txt               -> the announcement \"link text|link target\"\n"
           "                                    (--announcement, --announcement-status)\n";
}
