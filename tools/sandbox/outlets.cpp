// The outlet search page.
#include "sandbox_server.h"

#include <httplib.h>

void SandboxServer::installOutlets() { }

std::string SandboxServer::outletRules()
{
    return {};
}
