// Temporary files of the running vesk that are removed however it ends:
// normally (their owners remove them), or by SIGINT, SIGTERM, SIGHUP or
// SIGPIPE, whose handler removes every registered file and then ends the
// process by the same signal.
#pragma once

#include <string>

namespace vesk::cli {

// A registered temporary file, unregistered and removed on destruction.
class RegisteredTemporary {
public:
    // Creates a new empty file in the system's temporary folder; Path() is
    // empty when that fails.
    RegisteredTemporary();
    ~RegisteredTemporary();
    RegisteredTemporary(const RegisteredTemporary &) = delete;
    RegisteredTemporary &operator=(const RegisteredTemporary &) = delete;

    const std::string &Path() const { return FPath; }

private:
    std::string FPath;
    int FSlot = -1;
};

} // namespace vesk::cli
