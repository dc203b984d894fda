#include "contest_fixtures.h"
#include "eventually.h"
#include "station_fixture.h"

#include <QModelIndex>

namespace qz::test {
namespace {

class ExpectedExchange : public StationTest {
protected:
    void SetUp() override
    {
        folder.write("QZ5KV_stationbook.ini", "QZ1ABC,Jan,,Street 1,,,0,CHECKLOG,,IARU-HF,\r\n");
        // Another operator worked SP9KR; the published history knows OH2BH.
        folder.write("IARU_log.zrv", contestQso("QZ2XYZ", "SP9KR", "40M", "CW", "27") + "\r\n");
        folder.write("QZ5KV_stationbook_history.txt",
                     "# IARU HF\r\n!!Order!!,Call,Name,ITUZone\r\nOH2BH,Martti,18\r\n");
        start();
        mainWindow().Timer1->stop();
    }
    // Enter in the callsign field after typing `call` over what it held.
    void enterCall(const char* call)
    {
        const MainControls w = mainWindow();
        w.Edit4->setFocus();
        w.Edit4->selectAll();
        QTest::keyClicks(w.Edit4, QString::fromLatin1(call));
        QTest::keyClick(w.Edit4, Qt::Key_Return);
    }
};

TEST_F(ExpectedExchange, EnterFillsTheExpectedExchangeSelectedAndNeverOverwritesWhatWasTyped)
{
    const MainControls w = mainWindow();
    ASSERT_TRUE(eventually([&] { return w.Edit6->toolTip().contains("liczba znaków 1, kolumna ITUZone"); }));

    // QZ5KV keeps its "KRU"; another station's call replaces the kept default.
    enterCall("");
    EXPECT_EQ(w.Edit6->text(), "KRU");
    enterCall("oh2bh");
    EXPECT_TRUE(w.Edit6->hasFocus());
    EXPECT_EQ(w.Edit6->text(), "18");
    EXPECT_EQ(w.Edit6->selectedText(), "18");
    EXPECT_TRUE(w.Edit6->toolTip().startsWith("Strefa z historii\n"));
    // Typing replaces it; the QSO differing from the history is marked in the list's hint.
    QTest::keyClicks(w.Edit6, "19");
    EXPECT_FALSE(w.Edit6->toolTip().contains("z historii\n"));
    QTest::keyClick(w.Edit6, Qt::Key_Return);
    ASSERT_EQ(w.ListBox1->lines().size(), 1u);
    EXPECT_EQ(receivedExchangeOf(w.ListBox1->lines()[0]), "19");
    const QModelIndex stored = logbook().view().index(0);
    EXPECT_EQ(stored.data(Qt::ToolTipRole).toString(), "Odebrano „19”, a historia znaków podaje „18”");

    // Another operator's QSO is the station's memory; cty.dat knows the rest.
    enterCall("sp9kr");
    EXPECT_EQ(w.Edit6->text(), "27");
    EXPECT_TRUE(w.Edit6->toolTip().startsWith("Strefa z logu\n"));
    enterCall("k0acp");
    EXPECT_EQ(w.Edit6->text(), "7");
    EXPECT_TRUE(w.Edit6->toolTip().startsWith("Strefa z cty.dat\n"));

    // A field the operator typed into stays as typed, whatever the call.
    w.Edit6->setFocus();
    w.Edit6->selectAll();
    QTest::keyClicks(w.Edit6, "7");
    enterCall("oh2bh");
    EXPECT_EQ(w.Edit6->text(), "7");
    QTest::keyClick(w.Edit6, Qt::Key_Return);
    EXPECT_EQ(logbook().view().index(1).data(Qt::ToolTipRole).toString(),
              "Odebrano „7”, a w ostatnim QSO z tą stacją w logu „19”");

    // PREDICT=off, read when the messages file appears.
    folder.write("QZ5KV_stationbook_messages.txt", "[OPTIONS]\r\nPREDICT=off\r\n");
    ASSERT_TRUE(eventually([&] { return w.Edit6->toolTip().contains("PREDICT=off"); }));
    enterCall("sp9kr");
    EXPECT_EQ(w.Edit6->text(), "");
}

}  // namespace
}  // namespace qz::test
