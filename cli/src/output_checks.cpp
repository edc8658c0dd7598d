#include "output_checks.h"

#include "argument_parser.h"

#include <cctype>
#include <cstdio>
#include <filesystem>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace vesk::cli {

namespace {

std::string LoweredExtension(const std::string &fileName)
{
    std::string extension = std::filesystem::path(fileName).extension().string();
    for (char &c : extension) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return extension;
}

std::string Quoted(const std::string &text)
{
    return "'" + text + "'";
}

} // namespace

void RefuseOutputOverInput(const std::string &output, const std::vector<std::string> &inputs,
                           const std::string &inPlaceOption)
{
    if (output == "-") return;
    struct stat target {};
    if (::stat(output.c_str(), &target) != 0) return; // a new file
    for (const std::string &input : inputs) {
        struct stat source {};
        if (::stat(input.c_str(), &source) != 0) continue;
        if (source.st_dev != target.st_dev || source.st_ino != target.st_ino) continue;
        std::string text = "the output " + Quoted(output) + " is the input file " + Quoted(input) +
                           (output == input ? "" : " (the same file under another name)") +
                           "; writing it would replace what was read; nothing written";
        text += inPlaceOption.empty() ? " (choose another output name)"
                                      : " (choose another output name, or give " + inPlaceOption +
                                            " to replace the input on purpose)";
        throw UsageError(text);
    }
}

void RequireInstrumentOutput(const std::string &output, TDocumentKind kind, const std::string &option)
{
    if (output == "-") return;
    const std::string extension = LoweredExtension(output);
    if (extension == ".dat" || extension == ".csv" || extension == ".ohm") {
        throw UsageError(option + ": " + Quoted(output) + " names a text export, but this writes " +
                         std::string(KindDescription(kind)) + " (" + std::string(FileExtension(kind)) + ")");
    }
    const std::optional<TDocumentKind> named = DocumentKindFromExtension(output);
    if (named && *named != kind) {
        throw UsageError(option + ": " + Quoted(output) + " names " + std::string(KindDescription(*named)) +
                         ", but this writes " + std::string(KindDescription(kind)) + " (" +
                         std::string(FileExtension(kind)) + "); a file named so would not open as what it is");
    }
}

std::optional<TextFormat> TextFormatOfOutput(const std::string &output, const std::string &option)
{
    if (output == "-") return std::nullopt;
    if (const std::optional<TDocumentKind> named = DocumentKindFromExtension(output)) {
        throw UsageError(option + ": " + Quoted(output) + " names " + std::string(KindDescription(*named)) +
                         ", but an export writes text (.dat, .csv or .ohm)");
    }
    const std::string extension = LoweredExtension(output);
    if (extension == ".dat") return TextFormat::Res2DInv;
    if (extension == ".csv") return TextFormat::Csv;
    if (extension == ".ohm") return TextFormat::Bert;
    return std::nullopt;
}

std::optional<uint8_t> FirstByteOf(const std::string &fileName)
{
    // Opened without waiting, then examined: a named pipe put in the file's
    // place cannot block.
    const int descriptor = ::open(fileName.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (descriptor < 0) return std::nullopt;
    struct stat status {};
    uint8_t first = 0;
    const bool read = ::fstat(descriptor, &status) == 0 && S_ISREG(status.st_mode) && ::pread(descriptor, &first, 1, 0) == 1;
    ::close(descriptor);
    if (!read) return std::nullopt;
    return first;
}

} // namespace vesk::cli
