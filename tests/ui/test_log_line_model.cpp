#include "codec.h"
#include "log_list_box.h"
#include "log_snapshot.h"
#include "temp_folder.h"
#include "text.h"

#include <gtest/gtest.h>

namespace qz::ui {
namespace {

std::vector<std::string> shownTexts(const LogListBox& list)
{
    std::vector<std::string> texts;
    const QAbstractItemModel& model = *list.model();
    for (int row = 0; row < model.rowCount(); ++row)
        texts.push_back(toCp1250(model.index(row, 0).data().toString()));
    return texts;
}

// The list shows views into the snapshot it was given and keeps the stored
// lines itself: every line must read back whole after the caller has let go
// of the snapshot and after many more lines have been stored.
TEST(LogList, OwnsWhatItShowsAndLetsGoOfAReplacedSnapshot)
{
    test::TempFolder folder;
    folder.write("IARU_log.zrv", "b \xB3\r\nC\r\na\r\n");
    auto snapshot = LogSnapshot::read(folder / "IARU_log.zrv");
    const std::weak_ptr<const LogSnapshot> watched = snapshot;
    std::vector<std::string_view> sorted = snapshot->lines();
    sortNoCase(sorted);
    LogLineModel model;
    LogListBox list;
    list.show(model);
    model.setLines(std::move(snapshot), std::move(sorted));
    folder.write("IARU_log.zrv", "");
    EXPECT_FALSE(watched.expired());

    std::vector<std::string> expected{"a", "b \xB3", "C"};
    for (int i = 0; i < 2000; ++i) {
        const std::string line = "B" + std::to_string(i);
        expected.insert(expected.begin() + static_cast<std::ptrdiff_t>(sortedPosition(expected, line)), line);
        EXPECT_EQ(model.insertSorted(line), static_cast<int>(sortedPosition(expected, line)) - 1);
    }
    ASSERT_EQ(expected[2], "B0");
    model.removeRow(2);
    expected.erase(expected.begin() + 2);
    EXPECT_EQ(list.lines(), expected);
    EXPECT_EQ(shownTexts(list), expected);
    list.selectRow(model.findExact("b \xB3"));
    EXPECT_EQ(list.selectedLine(), "b \xB3");

    model.clear();
    EXPECT_TRUE(watched.expired());
    EXPECT_EQ(list.count(), 0);
}

}  // namespace
}  // namespace qz::ui
