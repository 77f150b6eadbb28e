// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/string_mapping.h"
#include "base/skin_error.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

std::string error_of(const std::function<void()>& action)
{
    try {
        action();
    } catch (const SkinError& error) {
        return error.what();
    }
    return "no error";
}

constexpr const char* out_of_range = "string mapping index out of range";
constexpr const char* not_initialised = "string mapping is null, propably not initialized";

TEST(StringMapping, StoresAndReadsWithinTheCount)
{
    StringMapping mapping;
    mapping.mapping_init(3);
    mapping.mapping_set(0, "dzien");
    mapping.mapping_set(2, "first");
    mapping.mapping_set(2, "noc");
    EXPECT_EQ(mapping.mapping_get(0), "dzien");
    EXPECT_EQ(mapping.mapping_get(1), "") << "an unfilled slot reads as empty";
    EXPECT_EQ(mapping.mapping_get(2), "noc") << "the later text wins";
    EXPECT_EQ(error_of([&] { mapping.mapping_set(3, "x"); }), out_of_range);
    EXPECT_EQ(error_of([&] { mapping.mapping_get(3); }), out_of_range);
    EXPECT_EQ(error_of([&] { mapping.mapping_get(4); }), out_of_range);
}

TEST(StringMapping, ChecksInTheSpecifiedOrderWhenNeverCreated)
{
    StringMapping mapping;
    EXPECT_EQ(error_of([&] { mapping.mapping_get(0); }), not_initialised);
    EXPECT_EQ(error_of([&] { mapping.mapping_get(1); }), out_of_range);
    EXPECT_EQ(error_of([&] { mapping.mapping_set(0, "x"); }), out_of_range);
}

TEST(StringMapping, InitReplacesAndReleaseForgets)
{
    StringMapping mapping;
    mapping.mapping_init(2);
    mapping.mapping_set(1, "old");
    mapping.mapping_init(2);
    EXPECT_EQ(mapping.mapping_get(1), "");

    mapping.mapping_init(0);
    EXPECT_EQ(error_of([&] { mapping.mapping_get(0); }), out_of_range) << "a created table of count 0 holds nothing";

    mapping.mapping_release();
    EXPECT_EQ(error_of([&] { mapping.mapping_get(0); }), not_initialised);
}

} // namespace
