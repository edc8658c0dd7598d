// Every reader answers 1 for a name that does not open as a file, a folder
// included (reading one would otherwise look like a file without a version
// byte), and leaves its outputs alone. A named pipe and a device are no files
// either: a pipe without a writer is refused at once instead of waiting.
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include <sys/stat.h>

#include "file_calls.h"
#include "temp_folder.h"

namespace {

template <typename Call>
std::function<void(const std::string &)> expectNotOpened(Call untouched) {
    return [untouched](const std::string &path) {
        Call call = untouched;
        EXPECT_EQ(call(path), 1);
        EXPECT_TRUE(call == untouched);
    };
}

TEST(FileOpening, ReadersGive1ForAFolderAPipeAndADevice) {
    TempFolder folder;
    const std::string pipe = folder.file("pipe.d2d");
    ASSERT_EQ(mkfifo(pipe.c_str(), 0600), 0);
    const struct {
        const char *name;
        std::function<void(const std::string &)> check;
    } readers[] = {
        {"s2d_d2d_read_header", expectNotOpened(Header2dRead{})},
        {"d2d_read_data", expectNotOpened(Records2dRead(2))},
        {"s1d_d1d_read_header", expectNotOpened(Header1dRead{})},
        {"s1d_read_data", expectNotOpened(Sequence1dRead(2))},
        {"d1d_read_data", expectNotOpened(Records1dRead(2))},
        {"d0d_read_header", expectNotOpened(Header0dRead{})},
        {"d0d_read_data", expectNotOpened(Records0dRead(2))},
    };
    for (const auto &reader : readers) {
        SCOPED_TRACE(reader.name);
        reader.check(folder.path().string());
        reader.check(folder.file("missing"));
        reader.check(pipe);
        reader.check("/dev/zero");
    }
}

} // namespace
