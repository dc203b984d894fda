#include "text.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

namespace qz {
namespace {

TEST(Text, CaseChangesTouchOnlyAsciiLetters)
{
    // "ł" and "ó" are single Windows-1250 bytes that must stay as they are.
    EXPECT_EQ(asciiUpper("jo91 \xB3\xF3z"), "JO91 \xB3\xF3Z");
    EXPECT_EQ(asciiLower("QZ1ABC/P \xA3"), "qz1abc/p \xA3");
}

TEST(Text, TrimRemovesBlanksAndControlCharactersAtTheEndsOnly)
{
    EXPECT_EQ(trimmed(" \t 28 1\r\n"), "28 1");
    EXPECT_EQ(trimmed("   "), "");
    EXPECT_EQ(withoutSpaces(" K R U "), "KRU");
}

TEST(Text, OneLineMakesEveryRunOfControlCharactersOneBlankBetweenWords)
{
    const struct {
        std::string text;
        std::size_t cursor;
        std::string expected;
        std::size_t cursorAfter;
    } cases[] = {
        {"DL2XYZ\r\n", 8, "DL2XYZ", 6},
        {"\nDL2XYZ", 1, "DL2XYZ", 0},
        {"Jan\nKowalski\tII", 0, "Jan Kowalski II", 0},
        {"Jan \r\nKowalski", 9, "Jan Kowalski", 7},
        {std::string("A\0\x1b\x7f"
                     "B",
                     5),
         5, "A B", 3},
        // In Windows-1250 the bytes above 127 are letters and signs: "ł…" stays.
        {"\xB3\x85 28", 2, "\xB3\x85 28", 2},
        {"\t\n\r", 3, "", 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.expected);
        std::size_t cursor = c.cursor;
        EXPECT_EQ(oneLine<char>(c.text, &cursor), c.expected);
        EXPECT_EQ(cursor, c.cursorAfter);
    }
    // UTF-16 as the windows hold it: the line separators and C1 controls go too.
    EXPECT_EQ(oneLine<char16_t>(u"Jan\u2028Kowalski\u0085II\u0142"), u"Jan Kowalski II\u0142");
}

TEST(Text, ColumnsOfShortLinesGiveFewerCharacters)
{
    EXPECT_EQ(columns("abcdef", 2, 4), "bcd");
    EXPECT_EQ(columns("abcdef", 5, 9), "ef");
    EXPECT_EQ(columns("abc", 5, 9), "");
    EXPECT_EQ(fitted("ab", 4), "ab  ");
    EXPECT_EQ(fitted("abcdef", 4), "abcd");
    EXPECT_EQ(replacedColumns("abcdef", 2, "XY"), "aXYdef");
    EXPECT_EQ(replacedColumns("ab", 4, "XY"), "ab XY");
}

TEST(Text, SortingIgnoresLetterCaseAndKeepsEqualLines)
{
    std::vector<std::string> lines{"b", "A", "a", "C", "a"};
    sortNoCase(lines);
    EXPECT_EQ(lines, (std::vector<std::string>{"A", "a", "a", "b", "C"}));
    EXPECT_EQ(sortedPosition(lines, "B"), 4u);
    EXPECT_EQ(sortedPosition(lines, "a"), 3u);
    EXPECT_TRUE(equalNoCase("qz5kv", "QZ5KV"));
    EXPECT_FALSE(equalNoCase("qz5kv", "QZ5KV "));
}

// Folding only ASCII letters and then comparing bytes as unsigned: the
// ordering that every faster comparison must keep.
int foldedOrder(std::string_view a, std::string_view b)
{
    const std::string x = asciiLower(std::string(a));
    const std::string y = asciiLower(std::string(b));
    const auto byteLess = [](char p, char q) { return static_cast<unsigned char>(p) < static_cast<unsigned char>(q); };
    if (std::lexicographical_compare(x.begin(), x.end(), y.begin(), y.end(), byteLess))
        return -1;
    return std::lexicographical_compare(y.begin(), y.end(), x.begin(), x.end(), byteLess) ? 1 : 0;
}

TEST(Text, CaseBlindOrderHoldsAtEveryPositionOfLongLines)
{
    // Lines that share a long start, differing at every position, in letter
    // case only, in bytes above 127 or in length.
    const std::string start = "2026-07-11 1230  14000 CW     QZ1ABC";
    const char alphabet[] = {'a', 'A', 'b', 'B', 'z', '0', ' ', '\xB3', '\xA3', '\x01'};
    std::mt19937 random(7);
    for (int round = 0; round < 5000; ++round) {
        std::string a = start.substr(0, random() % (start.size() + 1));
        std::string b = a;
        for (std::string* s : {&a, &b})
            for (auto n = random() % 12; n > 0; --n)
                *s += alphabet[random() % sizeof alphabet];
        SCOPED_TRACE(a + " | " + b);
        const int order = compareNoCase(a, b);
        ASSERT_EQ((order > 0) - (order < 0), foldedOrder(a, b));
        ASSERT_EQ(equalNoCase(a, b), foldedOrder(a, b) == 0);
    }
}

TEST(Text, SortingViewsOrdersLikeSortingStrings)
{
    std::vector<std::string> lines{"2026-07-11 1230 b", "2026-07-11 1230 A", "2026-07-11 1230 a", "2026-07-11 1229 z",
                                   "2026-07-11 1230 a"};
    std::vector<std::string_view> views(lines.begin(), lines.end());
    sortNoCase(views);
    // Equal lines keep their order: the views still point at their own strings.
    EXPECT_EQ(views, (std::vector<std::string_view>{lines[3], lines[1], lines[2], lines[4], lines[0]}));
    EXPECT_EQ(views[2].data(), lines[2].data());
    EXPECT_EQ(views[3].data(), lines[4].data());
    EXPECT_EQ(sortedPosition(views, "2026-07-11 1230 A"), 4u);
    EXPECT_EQ(sortedPosition(views, "2026-07-11 1230 B"), 5u);
    EXPECT_EQ(sortedPosition(views, "2026-07-11 1230"), 1u);
}

}  // namespace
}  // namespace qz
