#include "sandbox_server.h"

#include <csignal>
#include <cstdlib>
#include <cstring>
#include <iostream>
#include <string>

namespace {
SandboxServer *g_server = nullptr;

void onSignal(int)
{
    if (g_server)
        g_server->stop();
}

void usage()
{
    std::cout
        << "Usage: parcelvue-sandbox [options]\n"
           "A local stand-in for Parcelvue's tracking service and the maker's site, on 127.0.0.1.\n\n"
           "Options:\n"
           "  --port N                 port to listen on (default 18730; 0 picks a free one and prints it)\n"
           "  --step-seconds N         seconds between two new progress rows (default 60)\n"
           "  --key KEY                the account key the service accepts as id\n"
           "  --kdniao-id ID           the kdniao (快递鸟) user ID (EBusinessID) the stand-in accepts "
           "(default "
           "1688001)\n"
           "  --kdniao-key KEY         its API key (default sandbox-kdniao-api-key)\n"
           "  --17track-token TOKEN    the 17TRACK key (17token) the stand-in accepts (default "
           "SANDBOX17TRACKTOKEN)\n"
           "  --version-text TEXT      content of /version/gx.txt (default V4.2; \"\" for an empty file)\n"
           "  --version-status N       answer /version/gx.txt with HTTP status N\n"
           "  --announcement TEXT      content of /data/tg.txt\n"
           "  --announcement-status N  answer /data/tg.txt with HTTP status N\n"
           "  -h, --help               show this help\n"
           "  -v, --version            show the version\n\n"
        << SandboxServer::rules();
}

bool intArgument(const char *text, int &value)
{
    char *end = nullptr;
    const long parsed = std::strtol(text, &end, 10);
    if (!end || *end != '\0' || parsed < 0 || parsed > 65535)
        return false;
    value = static_cast<int>(parsed);
    return true;
}
} // namespace

int main(int argc, char *argv[])
{
    SandboxOptions options;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        const bool hasValue = i + 1 < argc;
        if (arg == "-h" || arg == "--help") {
            usage();
            return 0;
        } else if (arg == "-v" || arg == "--version") {
            std::cout << "parcelvue-sandbox " << PARCELVUE_VERSION_MAJOR << "." << PARCELVUE_VERSION_MINOR
                      << "." << PARCELVUE_VERSION_REVISION << "\n";
            return 0;
        } else if (arg == "--port" && hasValue && intArgument(argv[i + 1], options.port)) {
            ++i;
        } else if (arg == "--step-seconds" && hasValue && intArgument(argv[i + 1], options.stepSeconds)) {
            ++i;
        } else if (arg == "--key" && hasValue) {
            options.key = argv[++i];
        } else if (arg == "--kdniao-id" && hasValue) {
            options.kdniaoBusinessId = argv[++i];
        } else if (arg == "--kdniao-key" && hasValue) {
            options.kdniaoAppKey = argv[++i];
        } else if (arg == "--17track-token" && hasValue) {
            options.track17Token = argv[++i];
        } else if (arg == "--version-text" && hasValue) {
            options.versionText = argv[++i];
        } else if (arg == "--version-status" && hasValue && intArgument(argv[i + 1], options.versionStatus)) {
            ++i;
        } else if (arg == "--announcement" && hasValue) {
            options.announcement = argv[++i];
        } else if (arg == "--announcement-status" && hasValue
                   && intArgument(argv[i + 1], options.announcementStatus)) {
            ++i;
        } else {
            std::cerr << "parcelvue-sandbox: unknown or incomplete option " << arg << " (see --help)\n";
            return 2;
        }
    }

    SandboxServer server(options);
    if (server.bind() < 0) {
        std::cerr << "parcelvue-sandbox: cannot listen on 127.0.0.1:" << options.port << "\n";
        return 1;
    }
    g_server = &server;
    std::signal(SIGINT, onSignal);
    std::signal(SIGTERM, onSignal);
    std::cout << "parcelvue-sandbox listening on " << server.baseUrl() << std::endl;
    server.listen();
    return 0;
}
