// Runs one call per argument with that argument null and checks the code.
#pragma once

#include <cstdint>
#include <filesystem>
#include <initializer_list>
#include <string>

#include <gtest/gtest.h>

struct NullCase {
    const char *argument;
    int expected;
};

// `path` should name a missing file (readers) or a file whose parameters
// are refused (writers): then every code shows what was checked first, and a
// file is never created.
template <typename Call>
void expectNullCodes(const Call &valid, const std::string &path, std::initializer_list<NullCase> cases) {
    for (const NullCase &nullCase : cases) {
        SCOPED_TRACE(nullCase.argument);
        Call call = valid;
        call.nulled = {nullCase.argument};
        EXPECT_EQ(call(path), nullCase.expected);
        EXPECT_FALSE(std::filesystem::exists(path));
    }
}
