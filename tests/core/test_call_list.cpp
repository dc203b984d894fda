#include "call_list.h"
#include "files.h"

#include <gtest/gtest.h>

namespace qz {
namespace {

using Calls = std::vector<std::string>;

TEST(CallList, ReadsTheCallListFormatAndSkipsWhatIsNoCallsign)
{
    const CallList list = CallList::parse("# Release 2026.07.01\r\n"
                                          "#\r\n"
                                          "SP9XYZ\r\n"
                                          "\r\n"
                                          "  dl1abc  \n"
                                          "OK1ABC\r"
                                          "SP9 XYZ\n"
                                          "SP-9\n"
                                          "\xa3\xd3"
                                          "D\x8f\n"
                                          "ABCDEFGHIJKLMNOPQRSTU\n"
                                          "DL/SP9XYZ\n"
                                          "SP9XYZ\n"
                                          "AA1AA");
    EXPECT_EQ(list.size(), 5u);
    EXPECT_EQ(list.skippedLines(), 4u);
    for (const char* call : {"SP9XYZ", "DL1ABC", "OK1ABC", "DL/SP9XYZ", "AA1AA"})
        EXPECT_TRUE(list.contains(call)) << call;
    EXPECT_FALSE(list.contains("SP9"));
    EXPECT_FALSE(list.contains("dl1abc"));
}

TEST(CallList, PartialMatchesComeSortedOnceEachAndUpToTheLimit)
{
    const CallList list(
        std::vector<std::string_view>{"SP9XYZ", "OK1ABC", "DL9P9", "SP9ABC", "SP9ABC", "P9", "", "K9P", "9PA"});
    const struct {
        const char* letters;
        std::size_t limit;
        Calls expected;
    } rows[] = {
        {"P9", 30, {"DL9P9", "P9", "SP9ABC", "SP9XYZ"}},
        {"P9", 2, {"DL9P9", "P9"}},
        {"9P", 30, {"9PA", "DL9P9", "K9P"}},
        {"SP9ABC", 30, {"SP9ABC"}},
        {"K9PA", 30, {}},  // "K9P" then "9PA": letters never run on into the next callsign
        {"", 30, {}},
        {"Q", 30, {}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.letters);
        EXPECT_EQ(list.containing(row.letters, row.limit), row.expected);
    }
}

TEST(CallList, InsertedCallsignsTakeTheirSortedPlace)
{
    CallList list(std::vector<std::string_view>{"DL1ABC", "SP9XYZ"});
    for (const char* call : {"OK1ABC", "AA1AA", "ZZ9ZZ", "OK1ABC", "", "SP9XYY"})
        list.insert(call);
    EXPECT_EQ(list.size(), 6u);
    EXPECT_EQ(list.containing("1", 30), (Calls{"AA1AA", "DL1ABC", "OK1ABC"}));
    EXPECT_EQ(list.containing("XY", 30), (Calls{"SP9XYY", "SP9XYZ"}));
    EXPECT_EQ(list.containing("Z", 30), (Calls{"SP9XYZ", "ZZ9ZZ"}));
    for (const char* call : {"AA1AA", "DL1ABC", "OK1ABC", "SP9XYY", "SP9XYZ", "ZZ9ZZ"})
        EXPECT_TRUE(list.contains(call)) << call;
}

TEST(CallList, ReadsTheCallListOfTheHamradioFilesPackage)
{
    const std::filesystem::path path = "/usr/share/hamradio-files/MASTER.SCP";
    ASSERT_TRUE(files::isFile(path)) << "hamradio-files is not installed (scripts/install-deps.sh installs it)";
    const CallList list = CallList::parse(files::readAll(path));
    EXPECT_GT(list.size(), 50'000u);
    const Calls found = list.containing("K1", 30);
    ASSERT_EQ(found.size(), 30u);
    EXPECT_TRUE(std::is_sorted(found.begin(), found.end()));
    for (const auto& call : found)
        EXPECT_NE(call.find("K1"), std::string::npos) << call;
}

}  // namespace
}  // namespace qz
