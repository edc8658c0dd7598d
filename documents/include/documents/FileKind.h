// What a file's first byte says about its kind, for commands that choose the
// kind before a document reads the file.
#pragma once

#include "documents/VeskConstants.h"

#include <string>

// The English line that refuses to read the file as the kind when its version
// byte belongs to another kind, e.g. "cannot read 'x.s2d' as a 2D sequence:
// it looks like 2D data (.d2d), version byte 122"; empty when the byte is the
// kind's own, belongs to no kind or cannot be read (the document's own read
// reports those).
std::string OtherKindLine(const std::string &fileName, TDocumentKind kind);
