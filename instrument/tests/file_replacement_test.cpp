// The file replacement on every kind of target: until the commit the folder
// shows nothing new (the new file has no name, so a killed process leaves
// nothing behind), the commit puts the complete file in place, a device is
// written in place and a folder is refused with the system's reason.
#include "file_replacement.h"

#include <cerrno>
#include <cstdio>
#include <set>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include "temp_folder.h"

namespace {

bool Write(vesk::FileReplacement &file, const std::string &bytes) {
    return file.stream() != nullptr && std::fwrite(bytes.data(), 1, bytes.size(), file.stream()) == bytes.size();
}

TEST(FileReplacement, NothingAppearsBesideTheTargetBeforeTheCommit) {
    for (const bool existing : {false, true}) {
        SCOPED_TRACE(existing ? "replacing a file" : "a new file");
        TempFolder folder;
        const std::string target = folder.file("out.d2d");
        if (existing) writeFileBytes(target, {1, 2, 3});
        const std::set<std::string> before = folder.entries();
        {
            vesk::FileReplacement file(target.c_str());
            ASSERT_TRUE(Write(file, "new content") && std::fflush(file.stream()) == 0);
            EXPECT_EQ(folder.entries(), before);
            ASSERT_TRUE(file.commit());
        }
        EXPECT_EQ(folder.entries(), std::set<std::string>{"out.d2d"});
        const std::vector<std::uint8_t> written = readFileBytes(target);
        EXPECT_EQ(std::string(written.begin(), written.end()), "new content");
        // Without a commit nothing changes and nothing is left.
        {
            vesk::FileReplacement abandoned(target.c_str());
            ASSERT_TRUE(Write(abandoned, "lost"));
        }
        EXPECT_EQ(folder.entries(), std::set<std::string>{"out.d2d"});
        EXPECT_EQ(readFileBytes(target), written);
    }
}

TEST(FileReplacement, DevicesInPlaceFoldersRefused) {
    TempFolder folder;
    const struct {
        const char *name;
        std::string target;
        bool written;
        int error; // when not written
    } cases[] = {
        {"null device", "/dev/null", true, 0},
        {"full device", "/dev/full", false, ENOSPC},
        {"folder", folder.path().string(), false, EISDIR},
        {"missing folder", folder.file("gone/out.d2d"), false, ENOENT},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        vesk::FileReplacement file(c.target.c_str());
        const bool written = Write(file, std::string(100, 'x')) && file.commit();
        EXPECT_EQ(written, c.written);
        if (!c.written) EXPECT_EQ(file.error(), c.error);
    }
    struct stat status {};
    ASSERT_EQ(stat("/dev/null", &status), 0);
    EXPECT_TRUE(S_ISCHR(status.st_mode));
    EXPECT_EQ(folder.entries(), std::set<std::string>{});
}

} // namespace
