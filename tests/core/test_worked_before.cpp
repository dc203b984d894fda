#include "contest_fixtures.h"
#include "worked_before.h"

#include <gtest/gtest.h>

namespace qz {
namespace {

using test::contestQso;

const std::string kFirst = contestQso("QZ1ABC", "SP9XYZ", "20M", "CW", "15", "12:00");
const std::string kSecond = contestQso("QZ1ABC", "SP9XYZ", "40M", "SSB", "15", "12:10");
const std::string kOtherOperators = contestQso("QZ2XYZ", "DL1AAA", "20M", "CW", "28", "12:05");

TEST(WorkedBefore, DupeOnTheSameBandAndModeOfTheSameOperatorOnly)
{
    const WorkedBefore index({kFirst, kOtherOperators, kSecond}, "QZ1ABC");
    const struct {
        const char* call;
        const char* bandKey;
        const char* mode;
        WorkedVerdict verdict;
    } rows[] = {
        {"SP9XYZ", "14", "CW", WorkedVerdict::Dupe},      {"SP9XYZ", " 7", "PH", WorkedVerdict::Dupe},
        {"SP9XYZ", "14", "PH", WorkedVerdict::OtherSlot}, {"SP9XYZ", "21", "CW", WorkedVerdict::OtherSlot},
        {"DL1AAA", "14", "CW", WorkedVerdict::New},  // another operator's QSO
        {"SP9XY", "14", "CW", WorkedVerdict::New},        {"", "14", "CW", WorkedVerdict::New},
        {"sp9 xyz", "14", "CW", WorkedVerdict::Dupe},  // blind to case and blanks, as the score
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(std::string(row.call) + row.bandKey + row.mode);
        EXPECT_EQ(index.verdict(row.call, row.bandKey, row.mode), row.verdict);
    }
    const std::vector<WorkedQso> qsos = index.qsos("SP9XYZ");
    ASSERT_EQ(qsos.size(), 2u);
    EXPECT_EQ(qsos[0].date, "2026-07-11");
    EXPECT_EQ(qsos[0].time, "1200");
    EXPECT_EQ(qsos[0].bandKey, "14");
    EXPECT_EQ(qsos[1].modeLetters, "PH");
    EXPECT_EQ(WorkedBefore({kFirst}, "QZ2XYZ").verdict("SP9XYZ", "14", "CW"), WorkedVerdict::New);
}

TEST(WorkedBefore, StoredLinesCountAndADeletionForgetsOneCopy)
{
    WorkedBefore index({kOtherOperators}, "QZ1ABC");
    index.add(kFirst);
    index.add(kFirst);
    index.add(kSecond);
    index.add(kOtherOperators);
    EXPECT_EQ(index.qsos("SP9XYZ").size(), 3u);
    EXPECT_EQ(index.verdict("DL1AAA", "14", "CW"), WorkedVerdict::New);

    index.removeOne(kFirst);
    EXPECT_EQ(index.verdict("SP9XYZ", "14", "CW"), WorkedVerdict::Dupe);
    index.removeOne(kFirst);
    EXPECT_EQ(index.verdict("SP9XYZ", "14", "CW"), WorkedVerdict::OtherSlot);
    // A line differing only in its exchange is another QSO and stays.
    index.add(contestQso("QZ1ABC", "SP9XYZ", "20M", "CW", "16", "12:00"));
    index.removeOne(kFirst);
    EXPECT_EQ(index.verdict("SP9XYZ", "14", "CW"), WorkedVerdict::Dupe);
    index.removeOne(kSecond);
    index.removeOne(kOtherOperators);
    EXPECT_EQ(index.qsos("SP9XYZ").size(), 1u);
}

TEST(WorkedBefore, TypedCallsignsAreComparedAsTheLogWillHoldThem)
{
    EXPECT_EQ(storedCallOf("sp9xyz"), "SP9XYZ");
    EXPECT_EQ(storedCallOf("  SP9XYZ "), "SP9XYZ");
    EXPECT_EQ(storedCallOf("ABCDEFGHIJKLMNOP"), "ABCDEFGHIJKLM");
    EXPECT_EQ(storedCallOf(""), "");
}

}  // namespace
}  // namespace qz
