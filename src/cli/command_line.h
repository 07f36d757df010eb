#pragma once

#include <QString>
#include <QStringList>

// `parcelvue COMMAND ...`: track, list, refresh, export, import and stats without a window, from a
// terminal, a timer or a script. No display is needed.
namespace CommandLine {
// Exit codes.
constexpr int kOk = 0;
constexpr int kFailed = 1; // a file refused or not written; the run went wrong
constexpr int kUsage = 2;
constexpr int kRefused = 3; // the tracking service refused the number (or all of them)
constexpr int kTransferFailed = 4; // no answer from the service (for every parcel)
constexpr int kHeld = 5; // the service asked to wait: parcels not queried, the time it allows again told
constexpr int kPartlyFailed = 6; // some parcels queried, others failed: the counts told
constexpr int kAccount
    = 7; // the service's account: a wrong key, a spent quota or daily limit, a phone number

// Whether the arguments (without the program name) name a command.
bool isCommand(const QStringList &arguments);
// The commands with an example each, for --help.
QString help();
// Runs the command; needs a QCoreApplication.
int run(const QStringList &arguments);
} // namespace CommandLine
