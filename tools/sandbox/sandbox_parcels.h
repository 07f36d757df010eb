#pragma once

#include "sandbox_server.h"

#include <chrono>
#include <map>
#include <mutex>
#include <set>
#include <string>
#include <vector>

// When each simulated parcel was first asked for; its story is told from then on. The same
// parcel (carrier and number) tells the same story whichever service it is asked through.
struct SandboxServer::Parcels
{
    std::mutex mutex;
    std::map<std::string, std::chrono::system_clock::time_point> firstSeen;
    std::map<std::string, std::set<int>> track17Registered; // number -> the keys it is registered under
    int track17QuotaUsed = 0; // one for each number registered anew
};

// The quota of the 17TRACK stand-in's account.
constexpr int kSandboxTrack17Quota = 100;

// What a number is to the simulated services.
enum class SandboxNumber {
    Empty,
    BadFormat, // not only letters and digits
    NoInformation, // 0000000000, OLDNONE...
    NotExisting, // 9999999999
    Story, // a simulated parcel
};
SandboxNumber sandboxNumberKind(const std::string &number);

// One progress row of a simulated parcel; `location` is the city the row names, if it names one.
struct SandboxRow
{
    std::chrono::system_clock::time_point when;
    std::string text;
    std::string location;
};

// "2024-03-01 10:00:00", local time.
std::string sandboxLocalTime(std::chrono::system_clock::time_point time);
// "2024-03-01T10:00:00+08:00", local time with its offset.
std::string sandboxIsoTime(std::chrono::system_clock::time_point time);
bool startsWith(const std::string &text, const char *prefix);
// REFUSED...: the simulated parcel that the receiver refused (a problem parcel to the services).
bool isRefusedParcel(const std::string &number);
