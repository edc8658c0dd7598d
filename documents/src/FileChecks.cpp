#include "FileChecks.h"
#include "documents/FileKind.h"

#include "documents/VeskMessages.h"

#include <array>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <optional>
#include <sys/stat.h>
#include <unistd.h>

namespace FileChecks {

namespace {

// Header and record sizes of the instrument files by version byte, as the
// library reads and writes them. The count of records sits at offset 1 of
// every header, in four little-endian bytes.
struct TFileLayout {
    uint8_t Version;
    uint32_t HeaderBytes;
    uint32_t RecordBytes;
};

constexpr uint32_t Header2DBytes = 335; // .s2d and .d2d
constexpr uint32_t Header1DBytes = 336; // .s1d and .d1d
constexpr uint32_t Header0DBytes = 261; // .d0d
constexpr uint32_t CountOffset = 1;

constexpr std::array<TFileLayout, 11> Layouts{{
    {220, Header2DBytes, 4},  // .s2d
    {120, Header2DBytes, 4},  // .s2d, old format
    {221, Header2DBytes, 25}, // .d2d, one-byte electrode numbers
    {121, Header2DBytes, 25}, // .d2d, old format
    {122, Header2DBytes, 37}, // .d2d, four-byte electrode numbers
    {210, Header1DBytes, 8},  // .s1d
    {110, Header1DBytes, 8},  // .s1d, old format
    {211, Header1DBytes, 29}, // .d1d
    {111, Header1DBytes, 29}, // .d1d, old format
    {201, Header0DBytes, 20}, // .d0d
    {101, Header0DBytes, 20}, // .d0d, old format
}};

const TFileLayout *LayoutOf(uint8_t version)
{
    for (const TFileLayout &layout : Layouts)
        if (layout.Version == version)
            return &layout;
    return nullptr;
}

uint32_t HeaderBytesOf(TDocumentKind kind)
{
    switch (kind) {
    case TDocumentKind::Seq2D:
    case TDocumentKind::Data2D:
        return Header2DBytes;
    case TDocumentKind::Seq1D:
    case TDocumentKind::Data1D:
        return Header1DBytes;
    case TDocumentKind::Data0D:
        break;
    }
    return Header0DBytes;
}

std::string Quoted(const std::string &fileName)
{
    return "'" + fileName + "'";
}

std::string FileTypeWord(mode_t mode)
{
    if (S_ISDIR(mode))
        return "a directory";
    if (S_ISFIFO(mode))
        return "a named pipe";
    if (S_ISCHR(mode))
        return "a character device";
    if (S_ISBLK(mode))
        return "a block device";
    if (S_ISSOCK(mode))
        return "a socket";
    return "not a regular file";
}

// The program's message for a header that could not be read, with the
// library's result code 1: the file cannot be opened.
std::string HeaderMessage(TDocumentKind kind, uint32_t code)
{
    return VeskMessages::WithCode(kind == TDocumentKind::Data0D ? VeskMessages::Data0DHeaderReadFailed
                                                                : VeskMessages::HeaderReadFailed,
                                  code);
}

constexpr uint32_t CodeNotOpened = 1;

// An open descriptor, closed on destruction.
class TDescriptor {
public:
    explicit TDescriptor(int fd) : FFd(fd) {}
    ~TDescriptor()
    {
        if (FFd >= 0)
            ::close(FFd);
    }
    TDescriptor(const TDescriptor &) = delete;
    TDescriptor &operator=(const TDescriptor &) = delete;
    int Fd() const { return FFd; }

private:
    int FFd;
};

// Reads up to size bytes from the start of the file; -1 on a read error.
ssize_t ReadStart(int fd, uint8_t *buffer, std::size_t size)
{
    std::size_t done = 0;
    while (done < size) {
        const ssize_t got = ::pread(fd, buffer + done, size - done, static_cast<off_t>(done));
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            return -1;
        if (got == 0)
            break;
        done += static_cast<std::size_t>(got);
    }
    return static_cast<ssize_t>(done);
}

} // namespace

std::string WithReason(std::string_view message, std::string_view line)
{
    return std::string(message) + "\n" + std::string(line);
}

std::string WriteFailureLine(const std::string &fileName, int error)
{
    return "cannot write " + Quoted(fileName) + ": " +
           (error != 0 ? std::string(std::strerror(error)) : std::string("the file could not be written"));
}

std::string ReadFailureLine(const std::string &fileName, int error)
{
    return "cannot read " + Quoted(fileName) + ": " +
           (error != 0 ? std::string(std::strerror(error)) : std::string("the file could not be read"));
}

std::string InputProblem(const std::string &fileName, TDocumentKind kind)
{
    const auto cannotOpen = [&](const std::string &reason) {
        return WithReason(HeaderMessage(kind, CodeNotOpened), "cannot open " + Quoted(fileName) + ": " + reason);
    };

    // Opened without waiting (a named pipe would wait for a writer), then the
    // opened file itself is examined, so that a name swapped between a check
    // and the open cannot slip through.
    struct stat status {};
    const TDescriptor file(::open(fileName.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
    if (file.Fd() < 0) {
        const int reason = errno;
        // A folder or device that cannot be opened for reading: say what it is.
        if (::stat(fileName.c_str(), &status) == 0 && !S_ISREG(status.st_mode))
            return cannotOpen("it is " + FileTypeWord(status.st_mode) + ", not a regular file");
        return cannotOpen(std::strerror(reason));
    }
    if (::fstat(file.Fd(), &status) != 0)
        return cannotOpen(std::strerror(errno));
    if (!S_ISREG(status.st_mode))
        return cannotOpen("it is " + FileTypeWord(status.st_mode) + ", not a regular file");

    std::array<uint8_t, Header1DBytes> header{};
    const ssize_t read = ReadStart(file.Fd(), header.data(), header.size());
    if (read < 0)
        return WithReason(HeaderMessage(kind, CodeNotOpened),
                          "cannot read " + Quoted(fileName) + ": " + std::strerror(errno));
    const auto size = static_cast<uint64_t>(status.st_size);
    const auto truncatedHeader = [&](uint32_t headerBytes) {
        return WithReason(VeskMessages::WithFileName(VeskMessages::HeaderTruncated, fileName),
                          "cannot read " + Quoted(fileName) + ": file ends after " + std::to_string(size) + " of " +
                              std::to_string(headerBytes) + " header bytes");
    };
    if (read == 0)
        return truncatedHeader(HeaderBytesOf(kind));

    // A version byte that the kind does not read is left to the library,
    // which refuses it with its own code (VersionMismatchLine explains it);
    // an unknown byte gives no layout to check further.
    const TFileLayout *layout = LayoutOf(header[0]);
    if (layout == nullptr)
        return static_cast<uint64_t>(read) < HeaderBytesOf(kind) ? truncatedHeader(HeaderBytesOf(kind))
                                                                 : std::string();
    if (static_cast<uint64_t>(read) < layout->HeaderBytes)
        return truncatedHeader(layout->HeaderBytes);

    uint32_t count = 0;
    for (uint32_t i = 0; i < 4; ++i)
        count |= static_cast<uint32_t>(header[CountOffset + i]) << (8 * i);
    if (std::string problem = CountProblem(fileName, count); !problem.empty())
        return problem;
    const uint64_t needed = layout->HeaderBytes + static_cast<uint64_t>(count) * layout->RecordBytes;
    if (size < needed)
        return WithReason(VeskMessages::WithFileName(VeskMessages::CountExceedsFile, fileName),
                          "cannot read " + Quoted(fileName) + ": file ends after " + std::to_string(size) + " of " +
                              std::to_string(needed) + " bytes that its header and " + std::to_string(count) +
                              " measurements need");
    return {};
}

std::string CountProblem(const std::string &fileName, uint64_t count, TCountSource source)
{
    const bool join = source == TCountSource::Join;
    const auto refused = [&](const std::string &reason) {
        return WithReason(VeskMessages::WithFileName(VeskMessages::CountTooLarge, fileName),
                          (join ? "cannot append " : "cannot read ") + Quoted(fileName) + ": " +
                              (join ? "the joined data would count " : "its header counts ") +
                              std::to_string(count) + " measurements, " + reason);
    };
    if (count > MaxMeasurements)
        return refused("more than any survey has (at most " + std::to_string(MaxMeasurements) + ")");
    // Refused before anything is allocated: the program would exhaust the
    // machine long before it could show them.
    const long pages = ::sysconf(_SC_PHYS_PAGES);
    const long pageBytes = ::sysconf(_SC_PAGESIZE);
    if (pages > 0 && pageBytes > 0) {
        const uint64_t quarter = static_cast<uint64_t>(pages) * static_cast<uint64_t>(pageBytes) / 4;
        if (count * MemoryPerMeasurement > quarter)
            return refused("which would take about " + std::to_string((count * MemoryPerMeasurement) >> 20) +
                           " MB, more than a quarter of this machine's memory (" + std::to_string(quarter >> 20) +
                           " MB)");
    }
    return {};
}

std::string VersionMismatchLine(const std::string &fileName, TDocumentKind kind)
{
    std::string line = "cannot read " + Quoted(fileName) + " as " + std::string(KindDescription(kind)) + ": ";
    // Opened without waiting and examined: a named pipe cannot block.
    const TDescriptor file(::open(fileName.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
    struct stat status {};
    uint8_t version = 0;
    if (file.Fd() < 0 || ::fstat(file.Fd(), &status) != 0 || !S_ISREG(status.st_mode) ||
        ReadStart(file.Fd(), &version, 1) != 1)
        return line + "its version byte cannot be read";
    const std::optional<TDocumentKind> fileKind = DocumentKindFromVersionByte(version);
    if (!fileKind)
        return line + "its first byte " + std::to_string(version) + " is no version byte of the instrument's files";
    return line + "it looks like " + std::string(KindDescription(*fileKind)) + " (" +
           std::string(FileExtension(*fileKind)) + "), version byte " + std::to_string(version);
}

} // namespace FileChecks

std::string OtherKindLine(const std::string &fileName, TDocumentKind kind)
{
    // Only a regular file is opened: a named pipe would wait for a writer.
    struct stat status {};
    if (::stat(fileName.c_str(), &status) != 0 || !S_ISREG(status.st_mode))
        return {};
    std::FILE *file = std::fopen(fileName.c_str(), "rb");
    if (file == nullptr)
        return {};
    const int first = std::fgetc(file);
    std::fclose(file);
    if (first == EOF)
        return {};
    const std::optional<TDocumentKind> fileKind = DocumentKindFromVersionByte(static_cast<uint8_t>(first));
    if (!fileKind || *fileKind == kind)
        return {};
    return FileChecks::VersionMismatchLine(fileName, kind);
}
