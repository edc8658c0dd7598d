#include "plot_program.h"

#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <string>
#include <sys/prctl.h>
#include <unistd.h>

namespace vesk::plot {

void EndWithTheStartingVesk()
{
    const char *parent = std::getenv(ParentVariable);
    if (parent == nullptr) return;
    const std::string expected(parent);
    ::unsetenv(ParentVariable);
    // A picture nobody waits for any more must not appear later.
    if (::prctl(PR_SET_PDEATHSIG, SIGKILL) != 0) return;
    // vesk may have ended before the line above: the parent is another now.
    if (std::to_string(::getppid()) != expected) std::_Exit(1);
}

int TakeStandardOutput()
{
    const int picture = ::fcntl(STDOUT_FILENO, F_DUPFD_CLOEXEC, STDERR_FILENO + 1);
    // Also when standard output was closed: a file opened later must not get
    // its number and receive what is printed.
    ::dup2(STDERR_FILENO, STDOUT_FILENO);
    return picture;
}

} // namespace vesk::plot
