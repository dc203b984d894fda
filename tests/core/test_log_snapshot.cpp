#include "errors.h"
#include "files.h"
#include "log_snapshot.h"
#include "temp_folder.h"

#include <gtest/gtest.h>

#include <cerrno>

namespace qz {
namespace {

using test::TempFolder;

std::vector<std::string> linesReadFrom(const std::filesystem::path& path)
{
    std::vector<std::string> lines;
    files::forEachLine(path, [&](std::string_view line) { lines.emplace_back(line); });
    return lines;
}

// Content whose bytes up to `at` are filler lines of 86 characters, so that a
// line end chosen by the test falls exactly on `at`.
std::string filledUpTo(std::size_t at)
{
    std::string content;
    while (content.size() + 88 <= at)
        content += std::string(86, 'x') + "\r\n";
    content += std::string(at - content.size(), 'y');
    return content;
}

// The file is read in pieces of some power of two of bytes: every line end is
// tried across the borders where such pieces could meet.
TEST(ForEachLine, SplitsLikeSplitLinesWhereverThePiecesOfTheFileMeet)
{
    TempFolder folder;
    for (const std::size_t border : {std::size_t{1} << 16, std::size_t{1} << 18, std::size_t{1} << 20}) {
        const struct {
            const char* name;
            std::string content;
        } cases[] = {
            {"CR LF across the border", filledUpTo(border - 1) + "\r\nnext\r\n"},
            {"CR as the last byte before the border", filledUpTo(border - 1) + "\rnext\r\n"},
            {"LF as the last byte before the border", filledUpTo(border - 1) + "\nnext"},
            {"CR CR LF across the border", filledUpTo(border - 1) + "\r\r\nnext\r\n"},
            {"lone CRs on both sides of the border", filledUpTo(border - 1) + "\r\rnext\r"},
            {"a line longer than two pieces", "a\r\n" + std::string(2 * border + 7, 'L') + "\r\nz"},
            {"no line end at all", std::string(border + 3, 'n')},
            {"a file that ends on the border without a line end", filledUpTo(border)},
        };
        for (const auto& c : cases) {
            SCOPED_TRACE(std::string(c.name) + " at " + std::to_string(border));
            folder.write("IARU_log.zrv", c.content);
            EXPECT_TRUE(linesReadFrom(folder / "IARU_log.zrv") == files::splitLines(c.content));
        }
    }
}

TEST(ForEachLine, SmallFilesSplitLikeSplitLines)
{
    TempFolder folder;
    for (const std::string content : {"", "\r\n", "a\r\nb\r\n", "a\nb", "a\rb\r", "a\r\n\r\nb", "a\rb\rc\n"}) {
        SCOPED_TRACE(content);
        folder.write("IARU_log.zrv", content);
        EXPECT_EQ(linesReadFrom(folder / "IARU_log.zrv"), files::splitLines(content));
    }
}

class FaultHookReset {
public:
    explicit FaultHookReset(files::FaultHook hook) { files::setFaultHook(std::move(hook)); }
    FaultHookReset(const FaultHookReset&) = delete;
    FaultHookReset& operator=(const FaultHookReset&) = delete;
    ~FaultHookReset() { files::setFaultHook({}); }
};

TEST(ForEachLine, AFailedReadIsReportedWithTheFile)
{
    TempFolder folder;
    EXPECT_THROW(linesReadFrom(folder / "IARU_log.zrv"), IoError);
    folder.write("IARU_log.zrv", filledUpTo(1 << 20));
    int reads = 0;
    // The second read fails: some lines have already been seen by then.
    const FaultHookReset reset(
        [&](files::Op op, const files::Path&) { return op == files::Op::Read && ++reads == 2 ? EIO : 0; });
    try {
        linesReadFrom(folder / "IARU_log.zrv");
        FAIL() << "the failure was not reported";
    } catch (const IoError& error) {
        EXPECT_EQ(error.code(), EIO);
        EXPECT_EQ(error.path(), folder / "IARU_log.zrv");
    }
}

TEST(LogSnapshot, KeepsTheChosenLinesInTheFilesOrder)
{
    TempFolder folder;
    folder.write("IARU_log.zrv", "b one\r\na two\nb three\rc four\r\nb");
    const auto all = LogSnapshot::read(folder / "IARU_log.zrv");
    EXPECT_EQ(all->lines(), (std::vector<std::string_view>{"b one", "a two", "b three", "c four", "b"}));
    const auto mine =
        LogSnapshot::read(folder / "IARU_log.zrv", [](std::string_view line) { return line.substr(0, 1) == "b"; });
    EXPECT_EQ(mine->lines(), (std::vector<std::string_view>{"b one", "b three", "b"}));
    const auto none = LogSnapshot::read(folder / "IARU_log.zrv", [](std::string_view) { return false; });
    EXPECT_TRUE(none->lines().empty());
    folder.write("IARU_log.zrv", "");
    EXPECT_EQ(LogSnapshot::read(folder / "IARU_log.zrv")->lines(), std::vector<std::string_view>{""});
}

// The lines are views into blocks of the snapshot: no later line may move the
// bytes of an earlier one, whatever the lengths (the sanitizer build reads
// freed memory as a failure).
TEST(LogSnapshot, EveryLineStaysIntactWhenTheLinesFillManyBlocks)
{
    TempFolder folder;
    std::vector<std::string> expected;
    for (int i = 0; i < 40'000; ++i)
        expected.push_back(std::to_string(i) + std::string(static_cast<std::size_t>(i % 90), '.'));
    expected.insert(expected.begin() + 20'000, std::string(3'000'000, 'M'));
    expected.emplace_back();
    expected.push_back("last");
    folder.write("IARU_log.zrv", files::joinLines(expected));
    const auto snapshot = LogSnapshot::read(folder / "IARU_log.zrv");
    ASSERT_EQ(snapshot->lines().size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i)
        ASSERT_EQ(snapshot->lines()[i], expected[i]) << "line " << i;
}

}  // namespace
}  // namespace qz
