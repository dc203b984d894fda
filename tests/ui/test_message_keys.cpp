// The function keys of the main window against a keyer that records what it
// is handed, and the "Komunikaty" window.

#include "cw_keyer.h"
#include "eventually.h"
#include "null_sound.h"
#include "ptt_switch.h"
#include "station_fixture.h"
#include "wave_file.h"

#include <QApplication>
#include <QCheckBox>
#include <QSpinBox>
#include <vector>

namespace qz::test {
namespace {

class RecordingKeyer : public link::CwKeyer {
public:
    // Every text is taken at once, numbered from 1 in the order sent.
    void sendNext() override
    {
        for (; !queue_.empty(); queue_.pop_front())
            sent.push_back(queue_.front().text);
    }
    void abort() override { ++aborts; }
    void setSpeed(int wpm) override { speed = wpm; }
    QString where() const override { return QStringLiteral("cwdaemon 127.0.0.1:6789"); }
    void finish(std::uint64_t message) { emit finished(message, false); }

    std::vector<std::string> sent;
    int aborts = 0;
    int speed = 0;
};

class MessageKeysTest : public StationTest {
protected:
    void startWith(const std::string& messages = {})
    {
        folder.write("QZ5KV_stationbook.ini", "QZ1ABC,A\r\n");
        if (!messages.empty())
            folder.write("QZ5KV_stationbook_messages.txt", messages);
        start();
        mainWindow().Timer1->stop();
        auto owned = std::make_unique<RecordingKeyer>();
        keyer = owned.get();
        form1().sendCwThrough(std::move(owned), QStringLiteral("--cw"));
    }
    void press(QWidget* field, Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        focusOn(field);
        pressKey(key, modifiers, {});
    }
    void enter(QLineEdit* field)
    {
        focusOn(field);
        pressKey(Qt::Key_Return, Qt::NoModifier, QStringLiteral("\r"));
    }
    std::string state() { return control<QLabel>(form1(), "CwState")->text().toStdString(); }

    RecordingKeyer* keyer = nullptr;
};

using Sent = std::vector<std::string>;

// The radio's PTT, confirming at once.
class RecordingPtt : public link::PttSwitch {
public:
    explicit RecordingPtt(QStringList& asked) : asked_(asked) {}
    void key(bool on) override
    {
        asked_ << (on ? QStringLiteral("on") : QStringLiteral("off"));
        emit keyed(on);
    }

private:
    QStringList& asked_;
};

// Two seconds of silence, a message long enough to be stopped.
std::string silence()
{
    const wave::Format format{wave::Sample::Int16, 1, 8000};
    const std::string samples(2 * 2 * 8000, '\0');
    return wave::header(format, static_cast<std::uint32_t>(samples.size())) + samples;
}

TEST_F(MessageKeysTest, FunctionKeysSendTheTypedQsoTypeNothingAndEscapeStops)
{
    startWith();
    const MainControls w = mainWindow();
    w.Edit4->clear();
    typeInto(w.Edit4, QStringLiteral("dl1abc"));
    w.Edit6->clear();
    press(w.Edit4, Qt::Key_F2);
    press(w.Edit6, Qt::Key_F1);
    press(w.Edit6, Qt::Key_F8);
    EXPECT_EQ(keyer->sent, (Sent{"DL1ABC 5NN 28", "CQ TEST QZ1ABC QZ1ABC TEST", "AGN?"}));
    EXPECT_EQ(w.Edit4->text(), "DL1ABC");
    EXPECT_EQ(w.Edit6->text(), "");
    EXPECT_FALSE(station_->overview.isVisible());  // F2 is a message now
    EXPECT_EQ(state(), "CW F2: DL1ABC 5NN 28 → cwdaemon 127.0.0.1:6789, 28 WPM");
    keyer->finish(1);
    EXPECT_EQ(state(), "CW F1: CQ TEST QZ1ABC QZ1ABC TEST → cwdaemon 127.0.0.1:6789, 28 WPM");

    // Other fields and other modifiers send nothing.
    press(w.Edit5, Qt::Key_F1);
    press(w.Edit4, Qt::Key_F1, Qt::ShiftModifier);
    press(w.Edit4, Qt::Key_F1, Qt::AltModifier);
    EXPECT_EQ(keyer->sent.size(), 3u);

    // Escape stops from any field of the window.
    press(w.Edit8, Qt::Key_Escape);
    EXPECT_EQ(keyer->aborts, 1);
    EXPECT_EQ(state(), "CW F1: CQ TEST QZ1ABC QZ1ABC TEST przerwane (Esc), 28 WPM");

    // A long text and the keyer's problem never widen the window.
    emit keyer->problemChanged(QStringLiteral("cwdaemon nie odpowiada (127.0.0.1:6789)"));
    EXPECT_TRUE(state().ends_with("WPM. cwdaemon nie odpowiada (127.0.0.1:6789)"));
    w.Edit4->setText(QString(40, QLatin1Char('W')));
    press(w.Edit4, Qt::Key_F5);
    QApplication::processEvents();
    EXPECT_EQ(form1().width(), 694);
    EXPECT_LE(form1().minimumSizeHint().width(), 694);
}

TEST_F(MessageKeysTest, F9AndF10StepTheSpeedWithinItsRangeAndTheFileKeepsIt)
{
    startWith("[OPTIONS]\r\nWPM=8\r\n");
    const MainControls w = mainWindow();
    EXPECT_EQ(keyer->speed, 8);
    press(w.Edit4, Qt::Key_F9);
    press(w.Edit6, Qt::Key_F9);
    press(w.Edit6, Qt::Key_F9);
    EXPECT_EQ(keyer->speed, 4);
    EXPECT_TRUE(state().ends_with(", 4 WPM"));
    press(w.Edit4, Qt::Key_F10);
    EXPECT_EQ(keyer->speed, 6);
    EXPECT_NE(folder.read("QZ5KV_stationbook_messages.txt").find("WPM=6\r\n"), std::string::npos);
    EXPECT_TRUE(platform.boxes.empty());
}

TEST_F(MessageKeysTest, EnterSendsTheMessagesOnlyWhenTheFileSaysSoAndOnlyInCw)
{
    startWith("[OPTIONS]\r\nESM=on\r\n");
    const MainControls w = mainWindow();
    w.Edit4->clear();
    enter(w.Edit4);
    EXPECT_EQ(keyer->sent, (Sent{"CQ TEST QZ1ABC QZ1ABC TEST"}));
    EXPECT_TRUE(w.Edit4->hasFocus());

    typeInto(w.Edit4, QStringLiteral("dl1abc"));
    enter(w.Edit4);
    EXPECT_TRUE(w.Edit6->hasFocus());
    w.Edit6->setText(QStringLiteral("14"));
    enter(w.Edit6);
    EXPECT_EQ(keyer->sent, (Sent{"CQ TEST QZ1ABC QZ1ABC TEST", "DL1ABC", "DL1ABC 5NN 28", "TU QZ1ABC TEST"}));
    EXPECT_NE(folder.read("IARU_log.zrv").find("DL1ABC"), std::string::npos);
    EXPECT_TRUE(w.Edit4->hasFocus());

    // A refused QSO thanks nobody.
    enter(w.Edit6);
    EXPECT_EQ(platform.texts(), QStringList{"Brak znaku stacji!"});
    EXPECT_EQ(keyer->sent.size(), 4u);

    // On SSB the operator speaks: Enter is today's Enter.
    press(w.Edit4, Qt::Key_M, Qt::AltModifier);
    ASSERT_EQ(w.ComboBox2->currentText(), "SSB");
    typeInto(w.Edit4, QStringLiteral("ok1ab"));
    enter(w.Edit4);
    EXPECT_TRUE(w.Edit6->hasFocus());
    EXPECT_EQ(keyer->sent.size(), 4u);
}

TEST_F(MessageKeysTest, TheMessagesWindowNamesDamagedLinesSavesWithEnterAndKeepsTextsItCouldNotSave)
{
    startWith("[CW]\r\nF1=CQ {MYCALL}\r\nF9=X\r\n");
    const MainControls w = mainWindow();
    press(w.Edit4, Qt::Key_K, Qt::AltModifier);
    auto* window = form1().findChild<QWidget*>(QStringLiteral("FormKomunikaty"));
    ASSERT_NE(window, nullptr);
    ASSERT_TRUE(window->isVisible());
    EXPECT_EQ(window->windowTitle(), "Komunikaty");
    auto* cwF1 = control<QLineEdit>(*window, "CwF1");
    EXPECT_EQ(cwF1->text(), "CQ {MYCALL}");
    EXPECT_TRUE(control<QLabel>(*window, "Notes")->text().contains("wiersz 3 „F9=X”"));

    // Escape closes it unsaved.
    cwF1->setText(QStringLiteral("CQ CQ"));
    focusOn(cwF1);
    pressKey(Qt::Key_Escape, Qt::NoModifier, QStringLiteral("\x1b"));
    EXPECT_FALSE(window->isVisible());
    EXPECT_EQ(folder.read("QZ5KV_stationbook_messages.txt"), "[CW]\r\nF1=CQ {MYCALL}\r\nF9=X\r\n");

    QTest::mouseClick(control<QPushButton>(form1(), "Button10"), Qt::LeftButton);
    ASSERT_TRUE(window->isVisible());
    cwF1->setText(QStringLiteral("CQ CQ {MYCALL}"));
    control<QCheckBox>(*window, "EnterSends")->setChecked(true);
    control<QSpinBox>(*window, "Speed")->setValue(32);
    // A file that cannot be replaced is named, and nothing typed is lost.
    std::filesystem::remove(folder / "QZ5KV_stationbook_messages.txt");
    std::filesystem::create_directory(folder / "QZ5KV_stationbook_messages.txt");
    enter(cwF1);
    ASSERT_EQ(platform.boxes.size(), 1u);
    EXPECT_TRUE(platform.boxes[0].text.contains("QZ5KV_stationbook_messages.txt"));
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(cwF1->text(), "CQ CQ {MYCALL}");

    std::filesystem::remove(folder / "QZ5KV_stationbook_messages.txt");
    enter(cwF1);
    EXPECT_FALSE(window->isVisible());
    const std::string saved = folder.read("QZ5KV_stationbook_messages.txt");
    for (const char* line : {"F1=CQ CQ {MYCALL}\r\n", "ESM=on\r\n", "WPM=32\r\n"})
        EXPECT_NE(saved.find(line), std::string::npos) << line;
    EXPECT_EQ(keyer->speed, 32);
    press(w.Edit4, Qt::Key_F1);
    EXPECT_EQ(keyer->sent, (Sent{"CQ CQ QZ1ABC"}));
}

TEST_F(MessageKeysTest, OnSsbTheKeysPlayTheOperatorsRecordingsAndEscapeDropsPtt)
{
    if (!pulseAudioInstalled())
        GTEST_SKIP() << "pulseaudio is missing: install it (scripts/install-deps.sh)";
    ASSERT_TRUE(useNullSound());
    startWith();
    QStringList ptt;
    form1().keyRadioThrough(std::make_unique<RecordingPtt>(ptt));
    std::filesystem::create_directories(folder / "glos/QZ1ABC");
    folder.write("glos/QZ1ABC/F1.wav", silence());
    const MainControls w = mainWindow();
    press(w.Edit4, Qt::Key_M, Qt::AltModifier);
    ASSERT_EQ(w.ComboBox2->currentText(), "SSB");

    // A recording that is not there never keys the radio.
    press(w.Edit6, Qt::Key_F2);
    EXPECT_TRUE(state().ends_with(". Brak nagrania glos/QZ1ABC/F2.wav"));
    EXPECT_TRUE(ptt.isEmpty());

    press(w.Edit4, Qt::Key_F1);
    EXPECT_EQ(state(), "SSB F1: glos/QZ1ABC/F1.wav, 28 WPM");
    EXPECT_EQ(ptt, QStringList{"on"});
    press(w.Edit4, Qt::Key_Escape);
    EXPECT_EQ(ptt, (QStringList{"on", "off"}));
    EXPECT_EQ(state(), "SSB F1: glos/QZ1ABC/F1.wav przerwane (Esc), 28 WPM");
    EXPECT_TRUE(keyer->sent.empty());

    // Ctrl+F3 records the operator's F3 until a Ctrl+F key ends it.
    press(w.Edit4, Qt::Key_F3, Qt::ControlModifier);
    EXPECT_TRUE(state().starts_with("Nagrywanie glos/QZ1ABC/F3.wav: Ctrl+F3 kończy"));
    press(w.Edit4, Qt::Key_F3, Qt::ControlModifier);
    EXPECT_FALSE(state().starts_with("Nagrywanie"));
    EXPECT_EQ(w.Edit4->text(), "QZ5KV");
}

}  // namespace
}  // namespace qz::test
