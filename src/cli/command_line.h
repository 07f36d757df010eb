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
constexpr int kServiceWord = 3; // the tracking service answered with one of its error words
constexpr int kTransferFailed = 4;

// Whether the arguments (without the program name) name a command.
bool isCommand(const QStringList &arguments);
// The commands with an example each, for --help.
QString help();
// Runs the command; needs a QCoreApplication.
int run(const QStringList &arguments);
} // namespace CommandLine
