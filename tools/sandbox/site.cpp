// The maker's site: version file, announcement and a few small pages the program opens.
#include "sandbox_server.h"

#include <httplib.h>

namespace {
struct SitePage
{
    const char *path;
    const char *title;
    const char *text;
};

// What the link menu, the exit question, the new-version message and the mail link to.
const SitePage kPages[] = {
    {"/site/home.html", "Lumetra官方网站", "Lumetra系列原创免费软件的家。这里是本地演示站点的首页。"},
    {"/site/forum/", "Lumetra官方论坛", "欢迎来到论坛: 下载更多Lumetra系列软件, 交流使用心得。"},
    {"/site/feedback.html", "程序在线反馈", "请在这里留下您对Parcelvue的意见和建议。"},
    {"/site/studio.html", "Lumetra技术工作室", "工作室的软件作品一览。"},
    {"/site/resources.html", "Lumetra资源下载站", "软件与资料下载。"},
    {"/site/promo.html", "Lumetra推广服务", "推广服务的介绍页面, 由公告中的链接打开。"},
    {"/tui.html", "推广服务", "定制推广服务, 由通知邮件的页眉打开。"},
};

std::string pageHtml(const SitePage &page, const std::string &base)
{
    std::string links;
    for (const SitePage &other : kPages) {
        if (std::string(other.path) != "/tui.html")
            links += "<li><a href=\"" + base + other.path + "\">" + other.title + "</a></li>";
    }
    return std::string("<!DOCTYPE html><html lang=\"zh-CN\"><head><meta charset=\"utf-8\"><title>")
        + page.title + "</title></head><body><h1>" + page.title + "</h1><p>" + page.text
        + "</p><p>(parcelvue-sandbox)</p><ul>" + links + "</ul></body></html>";
}
} // namespace

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
    for (const SitePage &page : kPages) {
        m_server->Get(page.path, [this, &page](const httplib::Request &, httplib::Response &response) {
            response.set_content(pageHtml(page, baseUrl()), "text/html; charset=utf-8");
        });
    }
    m_server->Get("/site/forum", [this](const httplib::Request &, httplib::Response &response) {
        response.set_redirect(baseUrl() + "/site/forum/");
    });
}

std::string SandboxServer::siteRules()
{
    return "Maker's site:\n"
           "  GET /version/gx.txt            -> the version text (--version-text, default V4.2;\n"
           "                                    --version-status N answers HTTP N instead)\n"
           "  GET /data/tg.txt               -> the announcement \"link text|link target\"\n"
           "                                    (--announcement, --announcement-status)\n"
           "  GET /site/home.html, /site/forum/, /site/feedback.html, /site/studio.html,\n"
           "      /site/resources.html, /site/promo.html, /tui.html\n"
           "                                 -> small HTML pages of the maker's web presence\n";
}
