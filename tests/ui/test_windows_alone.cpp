// The operator editor and the pick dialog do their work built alone, with
// nothing but their context: what the other windows need from them leaves
// through their signals and handlers, as plain data.

#include "fake_platform.h"
#include "file_faults.h"
#include "logbook.h"
#include "station_fixture.h"
#include "temp_folder.h"
#include "unit2.h"
#include "unit4.h"

#include <QComboBox>
#include <QListView>
#include <QPushButton>
#include <cerrno>
#include <stdexcept>

namespace qz::test {
namespace {

class WindowAlone : public ::testing::Test {
protected:
    ui::StationContext context()
    {
        return {folder.path(), platform, [] { return fixedMoment(); }};
    }

    TempFolder folder;
    FakePlatform platform;
};

// The editor keeps no list of its own: whatever it saves or deletes, and what
// a failed write leaves, is the logbook's list, which every window shows.
TEST_F(WindowAlone, EditorChangesTheLogbooksOperatorList)
{
    folder.write("QZ5KV_stationbook.ini", "QZ1A,Ala,,Ul 1,,,0,CHECKLOG,,IARU-HF,\r\n");
    ui::Logbook logbook(folder.path());
    ui::TForm2 editor(context(), logbook);
    const auto callsigns = [&] {
        std::vector<std::string> all;
        for (std::size_t row = 0; row < logbook.operators().size(); ++row)
            all.push_back(logbook.operators().callsign(row));
        return all;
    };
    editor.open();
    const EditorControls fields(editor);

    // A new operator, then the same one saved again: listed once.
    for (int save = 0; save < 2; ++save) {
        editor.Button2Click();
        fields.Edit1->setText(QStringLiteral("QZ2\u0141"));  // a Polish letter: the bytes travel
        fields.Edit2->setText(QStringLiteral("Bolek"));
        fields.Edit4->setText(QStringLiteral("Ul 2"));
        editor.Button3Click();
    }
    EXPECT_EQ(callsigns(), (std::vector<std::string>{"QZ1A", "QZ2\xA3"}));

    platform.answers = {ui::BoxAnswer::Yes};
    editor.selectRow(0);
    editor.Button4Click();
    EXPECT_EQ(callsigns(), std::vector<std::string>{"QZ2\xA3"});

    {
        const FileFault full(files::Op::Write, ENOSPC);
        editor.Button2Click();
        fields.Edit1->setText(QStringLiteral("QZ3C"));
        fields.Edit2->setText(QStringLiteral("Cezary"));
        fields.Edit4->setText(QStringLiteral("Ul 3"));
        EXPECT_THROW(editor.Button3Click(), std::exception);
    }
    EXPECT_EQ(callsigns(), std::vector<std::string>{"QZ2\xA3"}) << "an operator that could not be saved is not listed";
    EXPECT_EQ(fields.callsigns(), QStringList{QStringLiteral("QZ2\u0141")});
}

struct PickRow {
    const char* name;
    ui::PickKind kind;
    QString caption;
};
void PrintTo(const PickRow& row, std::ostream* out) { *out << row.name; }

class PickDialogAlone : public WindowAlone, public ::testing::WithParamInterface<PickRow> {};

TEST_P(PickDialogAlone, HandsThePickOnAsTheKindItWasOpenedFor)
{
    const PickRow& row = GetParam();
    struct Pick {
        ui::PickKind kind;
        int position;
        QString entry;
    };
    std::vector<Pick> picks;
    bool failing = false;
    ui::TForm4 dialog(context(), [&](ui::PickKind kind, int position, const QString& entry) {
        if (failing)
            throw std::runtime_error("the change failed");
        picks.push_back({kind, position, entry});
    });
    // Opened for another field first: the latest opening decides.
    const ui::PickKind other = row.kind == ui::PickKind::Band ? ui::PickKind::Mode : ui::PickKind::Band;
    dialog.open(other, {QStringLiteral("X")}, 0);
    dialog.open(row.kind, {QStringLiteral("A"), QStringLiteral("B"), QStringLiteral("C")}, 1);
    EXPECT_EQ(dialog.windowTitle(), row.caption);
    auto* list = findControl<QComboBox>(dialog, "ComboBox1");
    auto* ok = findControl<QPushButton>(dialog, "Button1");
    EXPECT_EQ(list->currentText(), "B");

    failing = true;
    QTest::mouseClick(ok, Qt::LeftButton);
    EXPECT_EQ(platform.boxes, Boxes{failureBox("the change failed")});
    EXPECT_TRUE(dialog.isVisible()) << "a failed change keeps the dialog open";

    failing = false;
    list->setCurrentIndex(2);
    QTest::mouseClick(ok, Qt::LeftButton);
    ASSERT_EQ(picks.size(), 1u);
    EXPECT_EQ(picks[0].kind, row.kind);
    EXPECT_EQ(picks[0].position, 2);
    EXPECT_EQ(picks[0].entry, "C");
    EXPECT_FALSE(dialog.isVisible());
}

INSTANTIATE_TEST_SUITE_P(Kinds, PickDialogAlone,
                         ::testing::Values(PickRow{"Band", ui::PickKind::Band, QStringLiteral("Wybór pasma")},
                                           PickRow{"Mode", ui::PickKind::Mode, QStringLiteral("Wybór emisji")},
                                           PickRow{"Operator", ui::PickKind::Operator,
                                                   QStringLiteral("Wybór operatora")}),
                         [](const auto& row) { return std::string(row.param.name); });

}  // namespace
}  // namespace qz::test
