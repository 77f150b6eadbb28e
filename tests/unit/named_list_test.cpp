// SPDX-License-Identifier: GPL-3.0-or-later
#include "base/named_list.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

TEST(NamedList, NewestEntryWinsAndIterationRunsNewestFirst)
{
    NamedList<int> list;
    EXPECT_EQ(list.find("a"), nullptr);
    list.insert("a", std::make_unique<int>(1));
    list.insert("b", std::make_unique<int>(2));
    int& second_a = list.insert("a", std::make_unique<int>(3));

    EXPECT_EQ(list.size(), 3u);
    EXPECT_EQ(list.find("a"), &second_a);
    EXPECT_EQ(*list.find("b"), 2);
    for (const char* missing : {"A", "a ", "", "ab"})
        EXPECT_EQ(list.find(missing), nullptr) << '"' << missing << '"';

    std::vector<std::string> order;
    for (const auto& entry : list)
        order.push_back(entry.name + "=" + std::to_string(*entry.object));
    EXPECT_EQ(order, (std::vector<std::string>{"a=3", "b=2", "a=1"}));
}

} // namespace
