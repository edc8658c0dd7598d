// One call of each file export with all its arguments as plain values.
// Writer calls are valid by default; reader calls start with sentinel values
// in every output so that untouched entries can be told apart. `nulled`
// names the arguments to pass as null pointers.
#pragma once

#include <cstdint>
#include <set>
#include <string>
#include <vector>

#include "vesk_pro.h"

inline constexpr std::uint8_t kByteSentinel = 0xEE;
inline constexpr std::uint32_t kWordSentinel = 0xEEEEEEEE;
inline constexpr double kDoubleSentinel = -7.25;

struct CallBase {
    std::set<std::string> nulled;

    bool isNulled(const char *argument) const { return nulled.count(argument) != 0; }
    const char *name(const std::string &path) const { return isNulled("fileName") ? nullptr : path.c_str(); }
    template <typename T>
    T *arg(const char *argument, std::vector<T> &values) const {
        return isNulled(argument) ? nullptr : values.data();
    }
    template <typename T>
    const T *arg(const char *argument, const std::vector<T> &values) const {
        return isNulled(argument) ? nullptr : values.data();
    }
    template <typename T>
    T *out(const char *argument, T &value) const {
        return isNulled(argument) ? nullptr : &value;
    }
    bool operator==(const CallBase &) const = default;
};

// ---- writers ----

struct Sequence2dWrite : CallBase {
    std::vector<std::uint8_t> comment = std::vector<std::uint8_t>(250, 'c');
    std::uint32_t arrayType = 0, rollAlong = 0, unitSpacing = 5000, electrode1Position = 2500, groupCount = 2;
    std::vector<std::uint8_t> cable1 = std::vector<std::uint8_t>(24, 1);
    std::vector<std::uint8_t> cable2 = std::vector<std::uint8_t>(24, 1);
    std::vector<std::uint8_t> multipliers{1, 2, 7, 7}, levels{8, 4, 7, 7}, levelSteps{1, 1, 7, 7},
        startLevels{1, 2, 7, 7};
    std::uint32_t count = 3;
    std::vector<std::uint32_t> a{1, 2, 30}, m{2, 3, 31}, n{3, 4, 32}, b{4, 5, 33};

    std::uint8_t operator()(const std::string &path) const {
        return s2d_write(name(path), arg("comment", comment), arrayType, rollAlong, unitSpacing, electrode1Position,
                         arg("cable1", cable1), arg("cable2", cable2), groupCount, arg("multipliers", multipliers),
                         arg("levels", levels), arg("levelSteps", levelSteps), arg("startLevels", startLevels),
                         count, arg("a", a), arg("m", m), arg("n", n), arg("b", b));
    }
};

struct Data2dSave : CallBase {
    std::uint32_t count = 3;
    std::vector<std::uint8_t> comment = std::vector<std::uint8_t>(250, 'c');
    std::uint32_t arrayType = 2, rollAlong = 1, unitSpacing = 5000, electrode1Position = 2500;
    std::vector<std::uint8_t> cable1 = std::vector<std::uint8_t>(24, 1);
    std::vector<std::uint8_t> cable2 = std::vector<std::uint8_t>(24, 1);
    std::uint32_t groupCount = 2;
    std::vector<std::uint8_t> multipliers{1, 2, 7, 7}, levels{8, 4, 7, 7}, levelSteps{1, 1, 7, 7},
        startLevels{1, 2, 7, 7};
    std::vector<std::uint8_t> settings{5, 2, 8, 1, 21, 9};
    std::vector<std::uint8_t> status{1, 0, 1};
    std::vector<std::uint32_t> a{1, 2, 60}, m{2, 3, 61}, n{3, 4, 62}, b{4, 5, 63};
    std::vector<std::uint32_t> slot1{10, 11, 12}, slot2{20, 21, 22}, slot3{30, 31, 32}, slot4{40, 41, 42},
        slot5{50, 51, 52};

    std::uint8_t operator()(const std::string &path) const {
        return d2d_save_data(name(path), count, arg("comment", comment), arrayType, rollAlong, unitSpacing,
                             electrode1Position, arg("cable1", cable1), arg("cable2", cable2), groupCount,
                             arg("multipliers", multipliers), arg("levels", levels), arg("levelSteps", levelSteps),
                             arg("startLevels", startLevels), arg("settings", settings), arg("status", status),
                             arg("a", a), arg("m", m), arg("n", n), arg("b", b), arg("slot1", slot1),
                             arg("slot2", slot2), arg("slot3", slot3), arg("slot4", slot4), arg("slot5", slot5));
    }
};

// The 1D design both 1D writers share: two groups of 10 and 6 levels.
struct Design1dArgs : CallBase {
    std::uint32_t arrayType = 1, incrementType = 0, groupCount = 2;
    std::vector<double> firstSpacings{1.5, 10.0, 99.0, 99.0}, increments{0.5, 2.0, 99.0, 99.0};
    std::vector<std::uint8_t> levels{10, 6, 9, 9}, overlaps{0, 2, 9, 9};
    std::uint32_t count = 16;
    std::vector<std::uint32_t> halfAB = steps(1000, 16), halfMN = steps(500, 16);

    static std::vector<std::uint32_t> steps(std::uint32_t first, std::size_t size) {
        std::vector<std::uint32_t> values(size);
        for (std::size_t i = 0; i < size; ++i) values[i] = first + 250 * static_cast<std::uint32_t>(i);
        return values;
    }
};

struct Sequence1dWrite : Design1dArgs {
    std::vector<std::uint8_t> comment = std::vector<std::uint8_t>(250, 'c');

    std::uint8_t operator()(const std::string &path) const {
        return s1d_write(name(path), arg("comment", comment), arrayType, incrementType, groupCount,
                         arg("firstSpacings", firstSpacings), arg("increments", increments), arg("levels", levels),
                         arg("overlaps", overlaps), count, arg("halfAB", halfAB), arg("halfMN", halfMN));
    }
};

struct Data1dSave : Design1dArgs {
    std::vector<std::uint8_t> comment = std::vector<std::uint8_t>(250, 'c');
    std::vector<std::uint8_t> settings{5, 2, 8, 1, 21, 9};
    std::vector<std::uint8_t> status = std::vector<std::uint8_t>(16, 1);
    std::vector<std::uint32_t> slot1 = steps(10, 16), slot2 = steps(20, 16), slot3 = steps(30, 16),
                               slot4 = steps(40, 16), slot5 = steps(50, 16);

    std::uint8_t operator()(const std::string &path) const {
        return d1d_save_data(name(path), count, arg("comment", comment), arrayType, incrementType, groupCount,
                             arg("firstSpacings", firstSpacings), arg("increments", increments),
                             arg("levels", levels), arg("overlaps", overlaps), arg("settings", settings),
                             arg("status", status), arg("halfAB", halfAB), arg("halfMN", halfMN),
                             arg("slot1", slot1), arg("slot2", slot2), arg("slot3", slot3), arg("slot4", slot4),
                             arg("slot5", slot5));
    }
};

// ---- readers ----

struct Header2dRead : CallBase {
    std::vector<std::uint8_t> comment = std::vector<std::uint8_t>(250, kByteSentinel);
    std::uint8_t arrayType = kByteSentinel, rollAlong = kByteSentinel, groupCount = kByteSentinel;
    std::uint32_t unitSpacing = kWordSentinel, electrode1Position = kWordSentinel;
    std::vector<std::uint8_t> cable1 = std::vector<std::uint8_t>(24, kByteSentinel);
    std::vector<std::uint8_t> cable2 = std::vector<std::uint8_t>(24, kByteSentinel);
    std::vector<std::uint8_t> multipliers = std::vector<std::uint8_t>(4, kByteSentinel);
    std::vector<std::uint8_t> levels = multipliers, levelSteps = multipliers, startLevels = multipliers;
    std::uint32_t count = kWordSentinel;
    std::vector<std::uint8_t> settings = std::vector<std::uint8_t>(6, kByteSentinel);

    std::uint8_t operator()(const std::string &path) {
        return s2d_d2d_read_header(name(path), arg("comment", comment), out("arrayType", arrayType),
                                   out("rollAlong", rollAlong), out("groupCount", groupCount),
                                   out("unitSpacing", unitSpacing), out("electrode1Position", electrode1Position),
                                   arg("cable1", cable1), arg("cable2", cable2), arg("multipliers", multipliers),
                                   arg("levels", levels), arg("levelSteps", levelSteps),
                                   arg("startLevels", startLevels), out("count", count), arg("settings", settings));
    }
    bool operator==(const Header2dRead &) const = default;
};

struct Records2dRead : CallBase {
    explicit Records2dRead(std::size_t size)
        : status(size, kByteSentinel), a(size, kWordSentinel), m(a), n(a), b(a), slot1(a), slot2(a), slot3(a),
          slot4(a) {}
    std::vector<std::uint8_t> status;
    std::vector<std::uint32_t> a, m, n, b, slot1, slot2, slot3, slot4;

    std::uint8_t operator()(const std::string &path) {
        return d2d_read_data(name(path), arg("status", status), arg("a", a), arg("m", m), arg("n", n), arg("b", b),
                             arg("slot1", slot1), arg("slot2", slot2), arg("slot3", slot3), arg("slot4", slot4));
    }
    bool operator==(const Records2dRead &) const = default;
};

struct Header1dRead : CallBase {
    std::vector<std::uint8_t> comment = std::vector<std::uint8_t>(250, kByteSentinel);
    std::uint8_t arrayType = kByteSentinel, incrementType = kByteSentinel, groupCount = kByteSentinel;
    std::vector<double> firstSpacings = std::vector<double>(4, kDoubleSentinel), increments = firstSpacings;
    std::vector<std::uint8_t> levels = std::vector<std::uint8_t>(4, kByteSentinel), overlaps = levels;
    std::uint32_t count = kWordSentinel;
    std::vector<std::uint8_t> settings = std::vector<std::uint8_t>(6, kByteSentinel);

    std::uint8_t operator()(const std::string &path) {
        return s1d_d1d_read_header(name(path), arg("comment", comment), out("arrayType", arrayType),
                                   out("incrementType", incrementType), out("groupCount", groupCount),
                                   arg("firstSpacings", firstSpacings), arg("increments", increments),
                                   arg("levels", levels), arg("overlaps", overlaps), out("count", count),
                                   arg("settings", settings));
    }
    bool operator==(const Header1dRead &) const = default;
};

struct Sequence1dRead : CallBase {
    explicit Sequence1dRead(std::size_t size) : halfAB(size, kWordSentinel), halfMN(halfAB) {}
    std::vector<std::uint32_t> halfAB, halfMN;

    std::uint8_t operator()(const std::string &path) {
        return s1d_read_data(name(path), arg("halfAB", halfAB), arg("halfMN", halfMN));
    }
    bool operator==(const Sequence1dRead &) const = default;
};

struct Records1dRead : CallBase {
    explicit Records1dRead(std::size_t size)
        : status(size, kByteSentinel), halfAB(size, kWordSentinel), halfMN(halfAB), slot1(halfAB), slot2(halfAB),
          slot3(halfAB), slot4(halfAB) {}
    std::vector<std::uint8_t> status;
    std::vector<std::uint32_t> halfAB, halfMN, slot1, slot2, slot3, slot4;

    std::uint8_t operator()(const std::string &path) {
        return d1d_read_data(name(path), arg("status", status), arg("halfAB", halfAB), arg("halfMN", halfMN),
                             arg("slot1", slot1), arg("slot2", slot2), arg("slot3", slot3), arg("slot4", slot4));
    }
    bool operator==(const Records1dRead &) const = default;
};

struct Header0dRead : CallBase {
    std::vector<std::uint8_t> comment = std::vector<std::uint8_t>(250, kByteSentinel);
    std::uint32_t count = kWordSentinel;
    std::vector<std::uint8_t> settings = std::vector<std::uint8_t>(6, kByteSentinel);

    std::uint8_t operator()(const std::string &path) {
        return d0d_read_header(name(path), arg("comment", comment), out("count", count), arg("settings", settings));
    }
    bool operator==(const Header0dRead &) const = default;
};

struct Records0dRead : CallBase {
    explicit Records0dRead(std::size_t size) : slot1(size, kWordSentinel), slot2(slot1), slot3(slot1), slot4(slot1) {}
    std::vector<std::uint32_t> slot1, slot2, slot3, slot4;

    std::uint8_t operator()(const std::string &path) {
        return d0d_read_data(name(path), arg("slot1", slot1), arg("slot2", slot2), arg("slot3", slot3),
                             arg("slot4", slot4));
    }
    bool operator==(const Records0dRead &) const = default;
};
