// The documents layer called directly, as the desktop program calls it: the
// reference that vesk's outputs must equal byte for byte.
#pragma once

#include "documents/DataDocuments.h"
#include "documents/PlainHost.h"
#include "documents/SequenceDocuments.h"
#include "documents/VeskStore.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <string>

namespace vesk::test {

class ReferenceSession {
public:
    ReferenceSession() : FStore(FHost) {}

    // Opens the file as the kind; fails the test when it does not load.
    template <typename Document>
    Document &Open(const std::filesystem::path &path, TDocumentKind kind)
    {
        bool loaded = false;
        TCustomVeskObject *document = FStore.CreateDocument(kind, path.string(), &loaded);
        EXPECT_TRUE(loaded) << path;
        return static_cast<Document &>(*document);
    }

    // A new document of the kind (a sequence with the default design).
    template <typename Document>
    Document &Create(TDocumentKind kind)
    {
        bool generated = false;
        TCustomVeskObject *document = FStore.CreateDocument(kind, {}, &generated);
        EXPECT_TRUE(generated);
        return static_cast<Document &>(*document);
    }

    TPlainHost &Host() { return FHost; }

private:
    TPlainHost FHost;
    TVeskStore FStore;
};

} // namespace vesk::test
