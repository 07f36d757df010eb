#pragma once

#include <string>
#include <sys/types.h>

// An X server of the test process's own: Xvfb on a display number it picks itself (so that tests
// running side by side never race for one), for tests of what only X11 has (Qt's tray). Started
// before the application object and ended after it; DISPLAY points at it meanwhile.
class PrivateDisplay
{
public:
    PrivateDisplay() = default;
    ~PrivateDisplay();
    PrivateDisplay(const PrivateDisplay &) = delete;
    PrivateDisplay &operator=(const PrivateDisplay &) = delete;

    bool start(std::string *error);

private:
    pid_t m_pid = -1;
};
