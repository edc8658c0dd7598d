// A temporary folder for real files, a plain host with recording presenters
// and a store on it.
#pragma once

#include "InstrumentFileBuilder.h"

#include "documents/DataDocuments.h"
#include "documents/PlainHost.h"
#include "documents/SequenceDocuments.h"
#include "documents/VeskStore.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <string>
#include <vector>

class DocumentsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        std::random_device random;
        FFolder = std::filesystem::temp_directory_path() /
                  ("documents_test_" + std::to_string(random()) + "_" + std::to_string(random()));
        std::filesystem::create_directories(FFolder);
    }

    void TearDown() override
    {
        std::error_code ignored;
        std::filesystem::remove_all(FFolder, ignored);
    }

    std::string PathOf(const std::string &name) const { return (FFolder / name).string(); }

    std::string Write(const std::string &name, const std::vector<uint8_t> &bytes) const
    {
        TestFiles::WriteFile(FFolder / name, bytes);
        return PathOf(name);
    }

    static std::string ReadText(const std::string &path)
    {
        std::ifstream in(path, std::ios::binary);
        std::ostringstream text;
        text << in.rdbuf();
        return text.str();
    }

    // Joins lines with CR LF after each.
    static std::string Lines(std::initializer_list<std::string> lines)
    {
        std::string text;
        for (const std::string &line : lines)
            text += line + "\r\n";
        return text;
    }

    template <typename Document>
    Document &Open(TDocumentKind kind, const std::string &path, bool *loaded = nullptr)
    {
        auto *document = dynamic_cast<Document *>(Store.CreateDocument(kind, path, loaded));
        if (document == nullptr)
            throw std::logic_error("the store created no document of the expected class");
        return *document;
    }

    template <typename Document>
    Document &Blank(TDocumentKind kind)
    {
        return Open<Document>(kind, {});
    }

    std::filesystem::path FFolder;
    TPlainHost Host{TPlainHost::TPresenters::Recording};
    TVeskStore Store{Host};
};
