// Writing a file so that a failure midway never damages an existing file of
// the same name: the content goes to a new file beside the target, which is
// renamed over the target only after every byte, the flush and the close
// succeeded. The new file has no name until then (where the file system
// allows it), so a process that is killed leaves nothing behind. Shared by the library's binary writers and the documents' text
// exports.
#pragma once

#include <cstdio>
#include <string>

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

    // The system's reason (an errno value) of the first step that failed; 0
    // while nothing failed. errno holds it too after a failed constructor or
    // commit(), so that callers of the C interface can report it.
    int error() const { return error_; }

private:
    bool createBeside(const std::string &target);
    std::string temporaryName() const;
    // Links the unnamed new file into the folder under a free name.
    bool nameUnnamedFile();
    void discard();
    // Remembers errno as the reason, unless an earlier step failed already.
    void noteFailure();

    std::FILE *stream_ = nullptr;
    std::string target_;
    std::string folder_;    // the target's folder with its slash; empty for the working folder
    std::string baseName_;
    std::string temporary_; // the new file's name while it has one
    bool unnamed_ = false;  // the new file has no name yet
    int error_ = 0;
};

} // namespace vesk
