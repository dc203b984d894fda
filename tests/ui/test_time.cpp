#include "eventually.h"
#include "log_line.h"
#include "station_fixture.h"

#include <QPushButton>
#include <QTimer>
#include <QToolButton>

namespace qz::test {
namespace {

class TimeEntry : public StationTest {
protected:
    void SetUp() override
    {
        folder.write("QZ5KV_stationbook.ini", "QZ1ABC,A\r\n");
        start();
        mainWindow().Timer1->stop();
    }
    // Types into the field and moves the focus on, which runs its check.
    void enter(QLineEdit* field, const QString& text)
    {
        field->setFocus();
        field->setText(text);
        mainWindow().Edit4->setFocus();
    }
    void page(Qt::Key key, const QString& time, const QString& date)
    {
        mainWindow().Edit3->setText(time);
        mainWindow().Edit2->setText(date);
        mainWindow().Edit4->setFocus();
        QTest::keyClick(mainWindow().Edit4, key);
    }
};

TEST_F(TimeEntry, TimeCheckOnLeavingTheField)
{
    const MainControls w = mainWindow();
    enter(w.Edit3, " 12:30 ");
    EXPECT_EQ(w.Edit3->text(), "12:30");
    EXPECT_EQ(w.UpDown1->position(), 30);
    EXPECT_TRUE(platform.boxes.empty());
    const std::pair<QString, QString> faults[] = {{"12:3", "Błędny format czasu!"},
                                                  {"1a:30", "Niewłaściwe dane w polu czasu!"},
                                                  {"25:75", "Niewłaściwe dane w polu czasu!"},
                                                  {"24:00", "Niewłaściwe dane w polu czasu!"},
                                                  {"12:60", "Niewłaściwe dane w polu czasu!"}};
    for (const auto& [typed, message] : faults) {
        platform.boxes.clear();
        enter(w.Edit3, typed);
        EXPECT_EQ(platform.boxes, Boxes{errorBox(message)});
        EXPECT_EQ(w.Edit3->text(), typed);
        EXPECT_TRUE(eventually([&] { return w.Edit3->hasFocus(); }));
    }
    platform.boxes.clear();
    enter(w.Edit3, "12h45");
    EXPECT_TRUE(platform.boxes.empty());
    EXPECT_EQ(w.UpDown1->position(), 45);
}

TEST_F(TimeEntry, DateCheckOnLeavingTheField)
{
    const MainControls w = mainWindow();
    const std::pair<QString, QString> cases[] = {
        {"2026-07-1x", "Niewłaściwe dane w polu daty!"},
        {"2026-7-11", "Błędny format daty!"},
        {"2026/07/11", ""},
        {"2026-13-45", "Niewłaściwe dane w polu daty!"},
        {"2026-02-30", "Niewłaściwe dane w polu daty!"},
        {"2026-02-29", "Niewłaściwe dane w polu daty!"},
        {"2028-02-29", ""},
    };
    for (const auto& [typed, message] : cases) {
        SCOPED_TRACE(typed.toStdString());
        platform.boxes.clear();
        enter(w.Edit2, typed);
        if (message.isEmpty()) {
            EXPECT_TRUE(platform.boxes.empty());
            continue;
        }
        EXPECT_EQ(platform.boxes, Boxes{errorBox(message)});
        EXPECT_TRUE(eventually([&] { return w.Edit2->hasFocus(); }));
    }
}

// With the clock stopped, a time that never left its field was stored as
// it stood: "25:75" went into the log as 2575.
TEST_F(TimeEntry, AnImpossibleTimeOrDateIsNeverStored)
{
    const MainControls w = mainWindow();
    const struct {
        QLineEdit* field;
        QString typed;
    } cases[] = {{w.Edit3, "25:75"}, {w.Edit2, "2026-02-30"}};
    for (const auto& c : cases) {
        QLineEdit* field = c.field;
        const QString& typed = c.typed;
        SCOPED_TRACE(typed.toStdString());
        const QString before = field->text();
        platform.boxes.clear();
        field->setText(typed);
        w.Edit4->setText("SP1A");
        focusOn(w.Edit6);
        QTest::keyClick(w.Edit6, Qt::Key_Return);
        EXPECT_EQ(platform.boxes, Boxes{errorBox(field == w.Edit3 ? "Niewłaściwe dane w polu czasu!"
                                                                  : "Niewłaściwe dane w polu daty!")});
        EXPECT_TRUE(eventually([&] { return field->hasFocus(); }));
        EXPECT_EQ(field->text(), typed);
        EXPECT_EQ(folder.read("IARU_log.zrv"), "");
        field->setText(before);
    }
}

TEST_F(TimeEntry, PagingStepsAcrossHoursMidnightAndMonthEnds)
{
    const struct {
        Qt::Key key;
        const char* time;
        const char* date;
        const char* timeAfter;
        const char* dateAfter;
    } cases[] = {
        {Qt::Key_PageUp, "23:59", "2026-07-11", "00:00", "2026-07-12"},
        {Qt::Key_PageDown, "00:00", "2026-07-01", "23:59", "2026-06-30"},
        {Qt::Key_PageUp, "23:59", "2026-07-31", "00:00", "2026-08-01"},
        {Qt::Key_PageUp, "23:59", "2026-12-31", "00:00", "2027-01-01"},
        {Qt::Key_PageDown, "00:00", "2026-03-01", "23:59", "2026-02-28"},
        {Qt::Key_PageUp, "23:59", "2026-13-45", "00:00", "2026-13-45"},
        {Qt::Key_PageUp, "09:59", "2026-07-11", "10:00", "2026-07-11"},
        {Qt::Key_PageDown, "10:00", "2026-07-11", "09:59", "2026-07-11"},
        {Qt::Key_PageUp, "14:07", "2026-07-11", "14:08", "2026-07-11"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.time) + " " + c.date);
        page(c.key, c.time, c.date);
        EXPECT_EQ(mainWindow().Edit3->text(), c.timeAfter);
        EXPECT_EQ(mainWindow().Edit2->text(), c.dateAfter);
    }
    EXPECT_TRUE(platform.boxes.empty());
}

TEST_F(TimeEntry, ArrowsStepFromTheSpinnersPosition)
{
    const MainControls w = mainWindow();
    page(Qt::Key_PageDown, "14:30", "2026-07-11");
    EXPECT_EQ(w.Edit3->text(), "14:29");
    QTest::mouseClick(w.UpDown1->upArrow(), Qt::LeftButton);
    EXPECT_EQ(w.Edit3->text(), "14:30");
    QTest::mouseClick(w.UpDown1->downArrow(), Qt::LeftButton);
    EXPECT_EQ(w.Edit3->text(), "14:29");
    EXPECT_TRUE(w.Edit4->hasFocus());  // the arrows never take the focus

    w.Edit3->setFocus();
    QTest::mouseClick(w.UpDown1->upArrow(), Qt::LeftButton);
    EXPECT_EQ(w.Edit3->text(), "14:29");
}

TEST_F(TimeEntry, ArrowsDoNotTouchTheClock)
{
    const MainControls w = mainWindow();
    w.Timer1->start();
    w.Edit3->setText("14:30");
    w.Edit4->setFocus();
    QTest::mouseClick(w.UpDown1->upArrow(), Qt::LeftButton);
    EXPECT_EQ(w.Edit3->text(), "14:01");  // the spinner still held 0
    EXPECT_TRUE(w.Timer1->isActive());
}

TEST_F(TimeEntry, AFieldThatIsNoNumberIsReportedAndKept)
{
    const MainControls w = mainWindow();
    page(Qt::Key_PageUp, "ab:cd", "2026-07-11");
    EXPECT_EQ(platform.boxes, Boxes{failureBox("'cd' is not a valid integer value")});
    EXPECT_EQ(w.Edit3->text(), "ab:cd");
    EXPECT_EQ(w.Edit2->text(), "2026-07-11");
    EXPECT_FALSE(w.Timer1->isActive());
}

TEST_F(TimeEntry, StoringAQsoRestartsTheClock)
{
    const MainControls w = mainWindow();
    page(Qt::Key_PageUp, "12:30", "2026-07-11");
    EXPECT_TRUE(w.Button6->isVisible());
    QTest::mouseClick(w.Button4, Qt::LeftButton);
    EXPECT_EQ(timeOf(folder.read("IARU_log.zrv")), "1231");
    EXPECT_TRUE(w.Timer1->isActive());
    EXPECT_FALSE(w.Button6->isVisible());
}

}  // namespace
}  // namespace qz::test
