#pragma once

#include "sandbox_server.h"

#include <chrono>
#include <map>
#include <mutex>
#include <string>

// When each simulated parcel was first asked for; its story is told from then on.
struct SandboxServer::Parcels
{
    std::mutex mutex;
    std::map<std::string, std::chrono::system_clock::time_point> firstSeen;
};
