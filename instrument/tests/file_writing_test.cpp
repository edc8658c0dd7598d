// Writers never damage an existing file: a refused write creates nothing, and
// a write that fails midway (no folder, file size limit, full disk, missing
// permissions) returns 1 and leaves the old file and no stray files behind.
#include <csignal>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <set>
#include <string>
#include <vector>

#include <fcntl.h>
#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include "file_calls.h"
#include "file_images.h"
#include "temp_folder.h"

namespace {

namespace fs = std::filesystem;

struct WriterCase {
    const char *name;
    std::function<std::uint8_t(const std::string &)> valid;
    std::function<std::uint8_t(const std::string &)> refused;
    int refusedCode;
};

const std::vector<WriterCase> &writers() {
    static const std::vector<WriterCase> cases = {
        {"s2d_write", [](const std::string &path) { return Sequence2dWrite{}(path); },
         [](const std::string &path) {
             Sequence2dWrite call;
             call.unitSpacing = 0;
             return call(path);
         },
         204},
        {"d2d_save_data", [](const std::string &path) { return Data2dSave{}(path); },
         [](const std::string &path) {
             Data2dSave call;
             call.arrayType = 9;
             return call(path);
         },
         202},
        {"s1d_write", [](const std::string &path) { return Sequence1dWrite{}(path); },
         [](const std::string &path) {
             Sequence1dWrite call;
             call.count = 15;
             return call(path);
         },
         205},
        {"d1d_save_data", [](const std::string &path) { return Data1dSave{}(path); },
         [](const std::string &path) {
             Data1dSave call;
             call.groupCount = 5;
             return call(path);
         },
         204},
    };
    return cases;
}

const std::vector<std::uint8_t> kOldContent = patternBytes(100, 3);

// Whether the current user can create files in a read-only folder (the
// superuser can), which makes permission tests meaningless.
bool permissionsBypassed(const fs::path &folder) {
    const fs::path probe = folder / "probe";
    fs::create_directory(probe);
    fs::permissions(probe, fs::perms::owner_read | fs::perms::owner_exec);
    const int fd = open((probe / "file").c_str(), O_WRONLY | O_CREAT, 0600);
    if (fd >= 0) close(fd);
    fs::permissions(probe, fs::perms::owner_all);
    fs::remove_all(probe);
    return fd >= 0;
}

class FileWriting : public ::testing::Test {
protected:
    // Each writer must fail with 1 on `target`, keep its content and leave
    // exactly `entries` in the target's folder.
    void expectEveryWriterFailsCleanly(const std::string &target, const std::set<std::string> &entries,
                                       const std::function<void()> &beforeEach = {},
                                       const std::function<void()> &afterEach = {}) {
        for (const WriterCase &writer : writers()) {
            SCOPED_TRACE(writer.name);
            if (beforeEach) beforeEach();
            const std::uint8_t code = writer.valid(target);
            if (afterEach) afterEach();
            EXPECT_EQ(code, 1);
            EXPECT_EQ(readFileBytes(target), kOldContent);
            std::set<std::string> found;
            for (const auto &entry : fs::directory_iterator(fs::path(target).parent_path()))
                found.insert(entry.path().filename().string());
            EXPECT_EQ(found, entries);
        }
    }

    TempFolder folder;
    std::string target = folder.file("survey.dat");
};

TEST_F(FileWriting, RefusedWriteLeavesExistingFileUntouched) {
    writeFileBytes(target, kOldContent);
    for (const WriterCase &writer : writers()) {
        SCOPED_TRACE(writer.name);
        EXPECT_EQ(writer.refused(target), writer.refusedCode);
        EXPECT_EQ(readFileBytes(target), kOldContent);
        EXPECT_EQ(folder.entries(), std::set<std::string>{"survey.dat"});
    }
}

TEST_F(FileWriting, SuccessfulWriteReplacesExistingFileCompletely) {
    for (const WriterCase &writer : writers()) {
        SCOPED_TRACE(writer.name);
        writeFileBytes(target, patternBytes(5000, 1)); // longer than any new content
        ASSERT_EQ(writer.valid(target), 0);
        const std::string fresh = folder.file("fresh.dat");
        ASSERT_EQ(writer.valid(fresh), 0);
        EXPECT_EQ(readFileBytes(target), readFileBytes(fresh));
        fs::remove(fresh);
        EXPECT_EQ(folder.entries(), std::set<std::string>{"survey.dat"});
    }
}

TEST_F(FileWriting, UncreatableFileGives1) {
    fs::create_directory(folder.path() / "folder");
    for (const WriterCase &writer : writers()) {
        SCOPED_TRACE(writer.name);
        EXPECT_EQ(writer.valid(folder.file("no such folder/survey.dat")), 1);
        EXPECT_EQ(writer.valid(""), 1);
        EXPECT_EQ(writer.valid(folder.file("folder")), 1);       // a folder of that name
        EXPECT_EQ(writer.valid(folder.file("folder") + "/"), 1); // no file name at all
        EXPECT_EQ(folder.entries(), std::set<std::string>{"folder"});
        EXPECT_TRUE(fs::is_empty(folder.path() / "folder"));
    }
}

TEST_F(FileWriting, FileSizeLimitMidwayGives1AndKeepsExistingFile) {
    writeFileBytes(target, kOldContent);
    rlimit saved{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
    const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN); // fail the write instead of ending the process
    // Every file is longer than 300 bytes: each write fails after its start.
    expectEveryWriterFailsCleanly(
        target, {"survey.dat"},
        [&] {
            rlimit limited = saved;
            limited.rlim_cur = 300;
            ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &limited), 0);
        },
        [&] { setrlimit(RLIMIT_FSIZE, &saved); });
    std::signal(SIGXFSZ, previousHandler);
}

// A tiny file system of its own, mounted while the test runs.
class SmallFileSystem {
public:
    explicit SmallFileSystem(const fs::path &where) : where_(where) {
        fs::create_directory(where_);
        mounted_ = mount("vesk_pro_test", where_.c_str(), "tmpfs", 0, "size=16k") == 0;
    }
    ~SmallFileSystem() {
        if (mounted_) umount2(where_.c_str(), MNT_DETACH);
    }
    bool mounted() const { return mounted_; }

private:
    fs::path where_;
    bool mounted_ = false;
};

TEST_F(FileWriting, FullDiskMidwayGives1AndKeepsExistingFile) {
    if (geteuid() != 0) GTEST_SKIP() << "mounting a small file system needs the superuser";
    const fs::path small = folder.path() / "small";
    SmallFileSystem fileSystem(small);
    if (!fileSystem.mounted()) GTEST_SKIP() << "cannot mount a tmpfs here";

    const std::string smallTarget = (small / "survey.dat").string();
    writeFileBytes(smallTarget, kOldContent);
    // Fill the disk: whatever the writers write afterwards hits "no space".
    const int filler = open((small / "filler").c_str(), O_WRONLY | O_CREAT, 0600);
    ASSERT_GE(filler, 0);
    const std::vector<char> block(512, 'f');
    while (write(filler, block.data(), block.size()) > 0) {
    }
    close(filler);

    expectEveryWriterFailsCleanly(smallTarget, {"survey.dat", "filler"});
}

TEST_F(FileWriting, ReadOnlyFolderGives1) {
    if (permissionsBypassed(folder.path())) GTEST_SKIP() << "this user writes into read-only folders";
    writeFileBytes(target, kOldContent);
    fs::permissions(folder.path(), fs::perms::owner_read | fs::perms::owner_exec);
    expectEveryWriterFailsCleanly(target, {"survey.dat"});
    fs::permissions(folder.path(), fs::perms::owner_all);
}

TEST_F(FileWriting, ReadOnlyFileGives1) {
    if (permissionsBypassed(folder.path())) GTEST_SKIP() << "this user writes into read-only files";
    writeFileBytes(target, kOldContent);
    fs::permissions(target, fs::perms::owner_read);
    expectEveryWriterFailsCleanly(target, {"survey.dat"});
}

TEST_F(FileWriting, PermissionsAreThoseOfANewOrTheReplacedFile) {
    const mode_t savedMask = umask(027);
    const std::uint8_t code = Sequence1dWrite{}(target);
    umask(savedMask);
    ASSERT_EQ(code, 0);
    struct stat created {};
    ASSERT_EQ(stat(target.c_str(), &created), 0);
    EXPECT_EQ(created.st_mode & 0777, 0640u); // 0666 less the mask, as for any new file

    ASSERT_EQ(chmod(target.c_str(), 0604), 0);
    ASSERT_EQ(Data2dSave{}(target), 0);
    struct stat replaced {};
    ASSERT_EQ(stat(target.c_str(), &replaced), 0);
    EXPECT_EQ(replaced.st_mode & 07777, 0604u);
}

TEST_F(FileWriting, WritesThroughASymbolicLink) {
    fs::create_directory(folder.path() / "real");
    const fs::path real = folder.path() / "real" / "survey.s1d";
    writeFileBytes(real.string(), kOldContent);
    const fs::path link = folder.path() / "link.s1d";
    fs::create_symlink(real, link);

    ASSERT_EQ(Sequence1dWrite{}(link.string()), 0);
    EXPECT_TRUE(fs::is_symlink(link));
    EXPECT_EQ(readFileBytes(real.string()).size(), 336u + 16 * 8);
    EXPECT_EQ(fs::directory_iterator(folder.path() / "real")->path(), real); // nothing else left there
}

TEST_F(FileWriting, DevicesAreWrittenDirectly) {
    if (!fs::exists("/dev/null") || !fs::exists("/dev/full")) GTEST_SKIP() << "no /dev/null or /dev/full";
    EXPECT_EQ(Data2dSave{}("/dev/null"), 0);
    EXPECT_TRUE(fs::is_character_file("/dev/null"));
    EXPECT_EQ(Data2dSave{}("/dev/full"), 1); // the device reports a full disk
    EXPECT_TRUE(fs::is_character_file("/dev/full"));
}

} // namespace
