// The readers take file names: each fuzz input is written to a scratch file
// of this process, removed when the process ends.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <unistd.h>

// Caller arrays are sized from the header count, as the program does; larger
// counts are left alone so that a run never needs huge arrays.
inline constexpr std::uint32_t kMaxFuzzRecords = 100000;

class FuzzInputFile {
public:
    FuzzInputFile() {
        path_ = (std::filesystem::temp_directory_path() / "vesk_pro_fuzz.XXXXXX").string();
        const int fd = mkstemp(path_.data());
        if (fd < 0) std::abort();
        close(fd);
    }
    ~FuzzInputFile() { unlink(path_.c_str()); }

    // Replaces the file's content; removing it first keeps rewrites cheap.
    const char *write(const std::uint8_t *data, std::size_t size) {
        unlink(path_.c_str());
        std::FILE *file = std::fopen(path_.c_str(), "wb");
        if (file == nullptr || std::fwrite(data, 1, size, file) != size || std::fclose(file) != 0) std::abort();
        return path_.c_str();
    }

private:
    std::string path_;
};

inline const char *writeFuzzInput(const std::uint8_t *data, std::size_t size) {
    static FuzzInputFile file;
    return file.write(data, size);
}

// A bit of the input that chooses between optional buffers and none.
inline bool inputBit(const std::uint8_t *data, std::size_t size, int bit) {
    return size > 0 && ((data[size - 1] >> bit) & 1) != 0;
}
