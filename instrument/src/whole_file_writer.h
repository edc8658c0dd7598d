// Writes a whole binary file through a FileReplacement, so that a failed
// write never damages an existing file of the same name.
#pragma once

#include <cerrno>

#include "binary_io.h"
#include "file_replacement.h"

namespace vesk {

// Writes a whole file through `writeContent(BinaryWriter &)`; true when every
// byte reached the disk and the file is in place. On failure errno holds the
// system's reason.
template <typename WriteContent>
bool writeWholeFile(const char *path, WriteContent &&writeContent) {
    int reason = 0;
    {
        FileReplacement file(path);
        if (file.stream() == nullptr) return false;
        BinaryWriter out(file.stream());
        writeContent(out);
        if (out.ok() && file.commit()) return true;
        // A failed write leaves its reason in errno; discarding the new file
        // must not replace it.
        reason = file.error() != 0 ? file.error() : errno;
    }
    errno = reason;
    return false;
}

} // namespace vesk
