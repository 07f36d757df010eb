#include "private_display.h"

#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

PrivateDisplay::~PrivateDisplay()
{
    if (m_pid > 0) {
        ::kill(m_pid, SIGTERM);
        ::waitpid(m_pid, nullptr, 0);
    }
}

bool PrivateDisplay::start(std::string *error)
{
    int pipeEnds[2];
    if (::pipe(pipeEnds) != 0) {
        *error = std::string("pipe: ") + std::strerror(errno);
        return false;
    }
    const pid_t pid = ::fork();
    if (pid < 0) {
        *error = std::string("fork: ") + std::strerror(errno);
        return false;
    }
    if (pid == 0) {
        ::prctl(PR_SET_PDEATHSIG, SIGTERM);
        ::close(pipeEnds[0]);
        // Xvfb's own chatter (font paths, the socket directory) is not the tests' business.
        const int nothing = ::open("/dev/null", O_RDWR);
        ::dup2(nothing, 0);
        ::dup2(nothing, 1);
        ::dup2(nothing, 2);
        const std::string fd = std::to_string(pipeEnds[1]);
        ::execlp("Xvfb", "Xvfb", "-displayfd", fd.c_str(), "-screen", "0", "1280x1024x24", "-nolisten", "tcp",
                 static_cast<char *>(nullptr));
        ::_exit(127);
    }
    m_pid = pid;
    ::close(pipeEnds[1]);
    // Xvfb writes its display number once it accepts clients.
    std::string number;
    pollfd readable {pipeEnds[0], POLLIN, 0};
    char c = 0;
    while (::poll(&readable, 1, 20000) > 0 && ::read(pipeEnds[0], &c, 1) == 1 && c != '\n')
        number += c;
    ::close(pipeEnds[0]);
    if (number.empty()) {
        *error = "Xvfb did not start";
        return false;
    }
    ::setenv("DISPLAY", (":" + number).c_str(), 1);
    return true;
}
