#pragma once

#include <QString>

// A D-Bus session bus of the test process's own, on which a real Secret Service
// (gnome-keyring-daemon, in a temporary home, its login keyring unlocked here) can run. The
// program's secret store then talks to it and never to a desktop's own keyring; tests run as root
// without a desktop session still find one. One bus per process, started by the first test that
// asks and ended with the process: QtDBus and libsecret keep their connection for the life of the
// process.
namespace PrivateSessionBus {
enum class Kind {
    WithSecretService,
    WithoutSecretService, // nothing on the bus offers one, nor can start one
};

// Starts the bus (once) and points this process at it. False with the reason when it could not
// start, or when this process's bus is of the other kind.
bool ensure(Kind kind, QString *error);
} // namespace PrivateSessionBus
