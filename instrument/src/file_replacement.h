// Writing a file so that a failure midway never damages an existing file of
// the same name: the content goes to a new file beside the target, which is
// renamed over the target only after every byte, the flush and the close
// succeeded.
#pragma once

#include <cstdio>
#include <string>

#include "binary_io.h"

namespace vesk {

class FileReplacement {
public:
    // Creates the new file beside `target`. stream() is null when that fails.
    explicit FileReplacement(const char *target);
    // Discards the new file unless commit() succeeded.
    ~FileReplacement();
    FileReplacement(const FileReplacement &) = delete;
    FileReplacement &operator=(const FileReplacement &) = delete;

    std::FILE *stream() const { return stream_; }

    // Flushes, syncs and closes the new file and puts it in place of the
    // target. On failure the new file is removed and the target is untouched.
    bool commit();

private:
    bool createBeside(const std::string &target);
    void discard();

    std::FILE *stream_ = nullptr;
    std::string target_;
    std::string temporary_; // empty when writing to the target directly
};

// Writes a whole file through `writeContent(BinaryWriter &)`; true when every
// byte reached the disk and the file is in place.
template <typename WriteContent>
bool writeWholeFile(const char *path, WriteContent &&writeContent) {
    FileReplacement file(path);
    if (file.stream() == nullptr) return false;
    BinaryWriter out(file.stream());
    writeContent(out);
    return out.ok() && file.commit();
}

} // namespace vesk
