#include "temporary_cleanup.h"

#include <array>
#include <atomic>
#include <csignal>
#include <cstring>
#include <filesystem>
#include <unistd.h>

namespace vesk::cli {

namespace {

// The handler may only read what was complete before a slot was marked
// taken, so names live in fixed buffers and the marks are atomic.
constexpr std::size_t SlotCount = 4;
constexpr std::size_t LongestPath = 4096;

struct TSlot {
    std::atomic<bool> Taken{false};
    char Path[LongestPath] = {};
};

std::array<TSlot, SlotCount> Slots;
constexpr int CleanedSignals[] = {SIGINT, SIGTERM, SIGHUP, SIGPIPE};

extern "C" void RemoveTemporariesAndEnd(int signal)
{
    for (TSlot &slot : Slots)
        if (slot.Taken.load()) ::unlink(slot.Path);
    // Ends as the signal would have ended it without the handler.
    std::signal(signal, SIG_DFL);
    ::raise(signal);
}

void InstallHandlerOnce()
{
    static const bool installed = [] {
        struct sigaction action {};
        action.sa_handler = RemoveTemporariesAndEnd;
        sigemptyset(&action.sa_mask);
        for (const int signal : CleanedSignals) sigaddset(&action.sa_mask, signal);
        for (const int signal : CleanedSignals) {
            struct sigaction previous {};
            // A signal the caller ignores (nohup, a shell's SIGPIPE) stays ignored.
            if (sigaction(signal, nullptr, &previous) == 0 && previous.sa_handler == SIG_IGN) continue;
            sigaction(signal, &action, nullptr);
        }
        return true;
    }();
    (void)installed;
}

int Register(const std::string &path)
{
    if (path.size() >= LongestPath) return -1;
    for (std::size_t k = 0; k < Slots.size(); ++k) {
        TSlot &slot = Slots[k];
        if (slot.Taken.load()) continue;
        std::memcpy(slot.Path, path.c_str(), path.size() + 1);
        slot.Taken.store(true);
        return static_cast<int>(k);
    }
    return -1;
}

} // namespace

RegisteredTemporary::RegisteredTemporary()
{
    InstallHandlerOnce();
    std::string pattern = (std::filesystem::temp_directory_path() / "vesk-XXXXXX").string();
    // Blocked while the name exists but is not registered yet.
    sigset_t cleaned, previous;
    sigemptyset(&cleaned);
    for (const int signal : CleanedSignals) sigaddset(&cleaned, signal);
    sigprocmask(SIG_BLOCK, &cleaned, &previous);
    const int descriptor = ::mkstemp(pattern.data());
    if (descriptor >= 0) {
        ::close(descriptor);
        FSlot = Register(pattern);
        if (FSlot >= 0) {
            FPath = pattern;
        } else {
            ::unlink(pattern.c_str());
        }
    }
    sigprocmask(SIG_SETMASK, &previous, nullptr);
}

RegisteredTemporary::~RegisteredTemporary()
{
    if (FPath.empty()) return;
    ::unlink(FPath.c_str());
    Slots[static_cast<std::size_t>(FSlot)].Taken.store(false);
}

} // namespace vesk::cli
