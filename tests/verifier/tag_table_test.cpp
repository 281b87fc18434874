// The tag table and its first-match classification.
#include "verifier/tag_table.h"

#include <gtest/gtest.h>

#include <array>
#include <set>
#include <string>

using namespace quillex::verifier;

TEST(TagTable, Holds118EntriesEndingWithTheTwoCatchAlls) {
    const auto table = tagTable();
    ASSERT_EQ(table.size(), 118u);
    EXPECT_EQ(table[116].prefix, "<:");
    EXPECT_EQ(table[116].number, 122);
    EXPECT_EQ(table[116].category, category::UnlistedInternal);
    EXPECT_EQ(table[117].prefix, "<");
    EXPECT_EQ(table[117].number, 123);
    EXPECT_EQ(table[117].category, category::UnlistedExternal);

    std::array<int, 6> perCategory{};
    std::set<std::string_view> prefixes;
    for (const TagTableEntry& entry : table) {
        ++perCategory.at(static_cast<std::size_t>(entry.category));
        EXPECT_TRUE(prefixes.insert(entry.prefix).second) << entry.prefix;
    }
    EXPECT_EQ(perCategory, (std::array<int, 6>{10, 26, 26, 54, 1, 1}));
}

TEST(TagTable, OnlyTheCatchAllsArePrefixesOfOtherEntries) {
    // Otherwise the order between categories would change classifications.
    const auto table = tagTable();
    for (std::size_t i = 0; i + 2 < table.size(); ++i) {
        for (std::size_t j = 0; j < table.size(); ++j) {
            if (i != j) {
                EXPECT_FALSE(table[j].prefix.starts_with(table[i].prefix))
                    << table[i].prefix << " begins " << table[j].prefix;
            }
        }
    }
}

TEST(TagTable, ClassifiesByTheFirstMatchingPrefix) {
    struct Case {
        const char* tag;
        int number;
        int category;
    };
    const Case cases[] = {
        {"<:r12>", 77, category::Alert},
        {"<imk \"x\">", 29, category::Alert},
        {"<imk>", 29, category::Alert},
        {"<ps \"Body\" 3>", 0, category::Warning},
        {"<pn \"1.\" 2>", 1, category::Warning},
        {"<:b>", 78, category::Formatting},
        {"<:/s>", 87, category::Formatting},
        {"<:t-d>", 76, category::Warning},
        {"<:fc 4>", 97, category::Warning},
        {"<:cns @x 3>", 122, category::UnlistedInternal},
        {"<:cns \"x\" 3>", 91, category::Error},
        {"<page \"1\">", 8, category::Error},
        {"</file \"A.DOC\">", 73, category::Error},
        {"<pgfmt \"n\">", 64, category::Error},
        {"<pgfmt n>", 123, category::UnlistedExternal},
        {"<:r0>", 122, category::UnlistedInternal},
        {"<:rr>", 122, category::UnlistedInternal},
        {"<foo>", 123, category::UnlistedExternal},
        {"<#ps \"x\" 1>", 123, category::UnlistedExternal},
        {"<r \"x\" 5>", 54, category::Error},
        {"<rrow \"x\" 5>", 50, category::Error},
        {"<:r \"x\" 5>", 99, category::Alert},
    };
    for (const Case& c : cases) {
        const TagClass tagClass = classifyTag(c.tag);
        EXPECT_EQ(tagClass.number, c.number) << c.tag;
        EXPECT_EQ(tagClass.category, c.category) << c.tag;
    }
}

TEST(TagTable, TextThatIsNoTagFallsToTheExternalCatchAll) {
    EXPECT_EQ(classifyTag("").number, 123);
    EXPECT_EQ(classifyTag("text").number, 123);
}
