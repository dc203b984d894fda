#include "codec.h"
#include "combo_lists.h"
#include "eventually.h"
#include "file_faults.h"
#include "station_fixture.h"
#include "unit2.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QPushButton>
#include <QTimer>
#include <cerrno>

namespace qz::test {
namespace {

class NewLog : public StationTest {
protected:
    void SetUp() override
    {
        folder.write("QZ5KV_stationbook.ini", "QZ1ABC,Jan,,Street 1,,,0,CHECKLOG,,IARU-HF,\r\n");
        folder.write("IARU_log.zrv", kQso + "\r\n");
        start();
        mainWindow().Timer1->stop();
        emit mainWindow().ComboBox3->activated(0);
    }
    void newLog() { QTest::mouseClick(mainWindow().Button8, Qt::LeftButton); }

    const std::string kQso = "2026-07-11 1234  14000 CW     QZ1ABC        599 28     QZ5KV         599 KRU          ";
};

TEST_F(NewLog, CancelChangesNothing)
{
    newLog();
    ASSERT_EQ(platform.saveFilters.size(), 1u);
    EXPECT_EQ(platform.saveFilters[0], "Wszystkie pliki (*)");
    EXPECT_EQ(platform.saveProposals[0], path("IARU_log_2026-07-11.zrv"));
    EXPECT_EQ(folder.read("IARU_log.zrv"), kQso + "\r\n");
    EXPECT_EQ(mainWindow().ListBox1->count(), 1);
    EXPECT_EQ(mainWindow().ComboBox2->currentText(), "CW");
}

TEST_F(NewLog, ArchivesResetsAndEmptiesTheLog)
{
    const MainControls w = mainWindow();
    w.Edit8->setText("115");
    w.CheckBox1->setChecked(true);
    w.ComboBox1->setCurrentIndex(3);
    w.Edit6->setText("15");
    w.Edit4->setText("SP1A");
    w.UpDown1->setPosition(33);
    editorWindow().Edit2->setText("Someone");
    editorWindow().Edit11->setText("remarks stay");
    platform.savePaths.emplace_back(path("archive.zrv"));
    newLog();
    EXPECT_TRUE(platform.boxes.empty());
    EXPECT_EQ(folder.read("archive.zrv"), kQso + "\r\n");
    EXPECT_EQ(folder.read("IARU_log.zrv"), "");
    EXPECT_EQ(w.Edit8->text(), "28");
    for (QLineEdit* report : {w.Edit5, w.Edit7}) {
        EXPECT_EQ(report->text(), "59");
        EXPECT_EQ(report->maxLength(), 2);
    }
    EXPECT_EQ(w.ComboBox1->currentText(), "160M");
    EXPECT_EQ(w.ComboBox2->currentText(), "SSB");
    EXPECT_FALSE(w.CheckBox1->isChecked());
    EXPECT_EQ(w.Edit6->text(), "KRU");
    EXPECT_EQ(w.Edit4->text(), "SP1A");
    EXPECT_EQ(w.UpDown1->position(), 0);
    EXPECT_EQ(w.ListBox1->count(), 0);
    EXPECT_TRUE(eventually([&] { return w.Edit4->hasFocus(); }));
    EXPECT_EQ(w.ComboBox3->currentText(), "QZ1ABC");
    EXPECT_EQ(editorWindow().Edit2->text(), "");
    EXPECT_EQ(editorWindow().Edit7->text(), "0");
    EXPECT_EQ(editorWindow().Edit8->text(), "CHECKLOG");
    EXPECT_EQ(editorWindow().Edit10->text(), "IARU-HF");
    EXPECT_EQ(editorWindow().Edit11->text(), "remarks stay");
    EXPECT_EQ(folder.read("QZ5KV_stationbook.ini"), "QZ1ABC,Jan,,Street 1,,,0,CHECKLOG,,IARU-HF,\r\n");
}

TEST_F(NewLog, ExistingFileAsksBeforeOverwriting)
{
    folder.write("old.zrv", "OLD\r\n");
    // No: the dialog opens again; Cancel: nothing changes.
    platform.savePaths = {path("old.zrv"), path("old.zrv")};
    platform.answers = {ui::BoxAnswer::No, ui::BoxAnswer::Cancel};
    newLog();
    ASSERT_EQ(platform.boxes.size(), 2u);
    EXPECT_EQ(platform.saveFilters.size(), 2u);
    EXPECT_EQ(platform.boxes[0], warningBox("Plik " + path("old.zrv") + " istnieje.\nCzy zastąpić istniejący plik?"));
    EXPECT_EQ(folder.read("old.zrv"), "OLD\r\n");
    EXPECT_EQ(folder.read("IARU_log.zrv"), kQso + "\r\n");

    platform.savePaths = {path("old.zrv")};
    platform.answers = {ui::BoxAnswer::Yes};
    newLog();
    EXPECT_EQ(folder.read("old.zrv"), kQso + "\r\n");
    EXPECT_EQ(folder.read("IARU_log.zrv"), "");
}

// The archive could be written over the operator file after a generic
// overwrite question: the operator file then held the log's lines.
TEST_F(NewLog, TheArchiveNeverTakesThePlaceOfAFileOfTheProgram)
{
    const std::string operators = folder.read("QZ5KV_stationbook.ini");
    std::filesystem::create_directory(folder / "sub");
    std::vector<QString> own{fromPath(folder / "sub" / ".." / "IARU_log.zrv"),
                             path("IARU_log.zr~"),
                             path("temporary.zrv"),
                             fromPath(folder / "sub" / ".." / "QZ5KV_stationbook.ini"),
                             path("QZ5KV_stationbook_share.jrn"),
                             path("QZ5KV_stationbook_rig.txt"),
                             QCoreApplication::applicationFilePath()};
#ifndef _WIN32
    std::filesystem::create_symlink(folder / "QZ5KV_stationbook.ini", folder / "sub" / "operators.txt");
    own.push_back(fromPath(folder / "sub" / "operators.txt"));
#endif
    platform.savePaths.assign(own.begin(), own.end());
    platform.savePaths.emplace_back(std::nullopt);
    newLog();
    Boxes refusals;
    for (const QString& file : own)
        refusals.push_back(errorBox("Plik " + file +
                                    " jest plikiem roboczym programu i nie może być archiwum logu!\n"
                                    "Wybierz inną nazwę pliku."));
    EXPECT_EQ(platform.boxes, refusals);
    EXPECT_EQ(platform.saveFilters.size(), own.size() + 1);
    EXPECT_EQ(folder.read("QZ5KV_stationbook.ini"), operators);
    EXPECT_EQ(folder.read("IARU_log.zrv"), kQso + "\r\n");
}

TEST_F(NewLog, AFailedCopyStopsWithEverythingAsItWas)
{
    std::filesystem::create_directory(folder / "folder.zrv");
    platform.savePaths = {path("missing/archive.zrv")};
    mainWindow().Edit8->setText("115");
    newLog();
    ASSERT_EQ(platform.boxes.size(), 1u);
    // The failure may name the archive's scratch file beside it.
    const QString text = platform.boxes[0].text;
    EXPECT_EQ(platform.boxes[0], failureBox(text));
    EXPECT_TRUE(text.startsWith("File not found\n" + path("missing/archive.zrv"))) << text.toStdString();
    EXPECT_EQ(folder.read("IARU_log.zrv"), kQso + "\r\n");
    EXPECT_EQ(mainWindow().Edit8->text(), "115");
    EXPECT_EQ(mainWindow().ListBox1->count(), 1);
}

// The emptying of the log failed, yet the list was emptied and the entry
// fields and the editor were reset as if the log were new.
TEST_F(NewLog, AFailedEmptyingOfTheLogResetsNothing)
{
    const MainControls w = mainWindow();
    w.Edit8->setText("115");
    editorWindow().Edit2->setText("Someone");
    platform.savePaths = {path("archive.zrv")};
    {
        const FileFault renameFails(files::Op::Rename, EIO, "IARU_log.zrv");
        newLog();
    }
    EXPECT_EQ(platform.boxes, Boxes{fileFailureBox(EIO, folder / "IARU_log.zrv")});
    EXPECT_EQ(folder.read("archive.zrv"), kQso + "\r\n");
    EXPECT_EQ(folder.read("IARU_log.zrv"), kQso + "\r\n");
    EXPECT_EQ(w.ListBox1->count(), 1);
    EXPECT_EQ(w.Edit8->text(), "115");
    EXPECT_EQ(w.ComboBox2->currentText(), "CW");
    EXPECT_EQ(editorWindow().Edit2->text(), "Someone");
}

// The archive name was proposed from the log before the dialog opened, so a
// log that could not be read showed its error instead of the dialog.
TEST_F(NewLog, ALogThatCannotBeReadStillOpensTheDialogFirst)
{
    const struct {
        const char* name;
        void (*spoil)(const std::filesystem::path& log);
        int error;
    } cases[] = {{"missing", [](const std::filesystem::path& log) { std::filesystem::remove(log); }, ENOENT},
                 {"a folder",
                  [](const std::filesystem::path& log) {
                      std::filesystem::remove(log);
                      std::filesystem::create_directory(log);
                  },
                  EACCES}};
    for (const auto& spoilt : cases) {
        SCOPED_TRACE(spoilt.name);
        spoilt.spoil(folder / "IARU_log.zrv");
        platform.boxes.clear();
        platform.saveProposals.clear();
        platform.savePaths = {path("archive.zrv")};
        std::size_t dialogsBeforeTheBox = 0;
        platform.onBox = [&](const ShownBox&) { dialogsBeforeTheBox = platform.saveProposals.size(); };
        newLog();
        ASSERT_EQ(platform.saveProposals.size(), 1u);
        EXPECT_EQ(platform.saveProposals[0], path("IARU_log_archiwum.zrv"));
        ASSERT_EQ(platform.boxes.size(), 1u);
        EXPECT_EQ(dialogsBeforeTheBox, 1u);
        EXPECT_EQ(platform.boxes[0], fileFailureBox(spoilt.error, folder / "IARU_log.zrv"));
        EXPECT_FALSE(folder.exists("archive.zrv"));
    }
}

}  // namespace
}  // namespace qz::test
