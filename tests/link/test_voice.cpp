#include "file_faults.h"
#include "null_sound.h"
#include "temp_folder.h"
#include "voice_message.h"
#include "voice_player.h"
#include "voice_recorder.h"

#include <QAudioDevice>
#include <QElapsedTimer>
#include <QMediaDevices>
#include <QProcess>
#include <QTimer>
#include <cerrno>
#include <memory>

namespace qz::test {
namespace {

using namespace std::chrono_literals;

// The radio: confirms each PTT request after `delay`, or never. Its requests
// and the player's signals go into one list, in order.
class FakePtt : public link::PttSwitch {
public:
    explicit FakePtt(QStringList& events) : events_(events) {}
    void key(bool on) override
    {
        events_ << (on ? "PTT on" : "PTT off");
        if (confirms)
            QTimer::singleShot(delay, this, [this, on] { emit keyed(on); });
    }
    bool confirms = true;
    std::chrono::milliseconds delay = 10ms;

private:
    QStringList& events_;
};

const QString kF1 = link::voiceMessageName(QStringLiteral("SP5ABC"), 1);

// 8 kHz mono 16-bit: 16 bytes a millisecond.
std::string sound(std::chrono::milliseconds length)
{
    const auto size = static_cast<std::uint32_t>(16 * length.count());
    return wave::header({wave::Sample::Int16, 1, 8000}, size) + std::string(size, '\x40');
}

class Voice : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (!pulseAudioInstalled())
            GTEST_SKIP() << "pulseaudio is missing: install it (scripts/install-deps.sh)";
        ASSERT_TRUE(useNullSound());
        std::filesystem::create_directories(folder / "glos/SP5ABC");
    }
    void record(const QString& name, const std::string& bytes) const { folder.write(name.toStdString(), bytes); }
    std::unique_ptr<link::VoicePlayer> player(link::PttSwitch* radio)
    {
        auto made = std::make_unique<link::VoicePlayer>(folder.path(), radio, link::VoiceTiming{.confirm = 500ms});
        QObject::connect(made.get(), &link::VoicePlayer::started, [this] { events << "started"; });
        QObject::connect(made.get(), &link::VoicePlayer::finished,
                         [this](bool ok) { events << (ok ? "played" : "not played"); });
        return made;
    }
    bool ended() const { return events.endsWith("played") || events.endsWith("not played"); }

    TempFolder folder;
    QStringList events;
    FakePtt ptt{events};
};

TEST_F(Voice, PlaysTheWholeMessageWhileTheRadioConfirmsPtt)
{
    record(kF1, sound(400ms));
    ptt.delay = 150ms;
    const auto voice = player(&ptt);
    QElapsedTimer clock;
    qint64 startedAt = -1;
    QObject::connect(voice.get(), &link::VoicePlayer::started, [&] { startedAt = clock.elapsed(); });
    clock.start();
    voice->play(kF1);
    ASSERT_TRUE(eventually([&] { return ended(); }));
    EXPECT_EQ(events, QStringList({"PTT on", "started", "PTT off", "played"}));
    // The sound waits for the radio, and plays out before PTT drops.
    EXPECT_GE(startedAt, 150);
    EXPECT_GE(clock.elapsed() - startedAt, 400);

    events.clear();
    const auto vox = player(nullptr);
    vox->play(kF1);
    ASSERT_TRUE(eventually([&] { return ended(); }));
    EXPECT_EQ(events, QStringList({"started", "played"}));
}

TEST_F(Voice, MissingOrDamagedMessagesNeverKeyPtt)
{
    const auto voice = player(&ptt);
    voice->play(kF1);
    EXPECT_EQ(voice->problem(), "Brak nagrania glos/SP5ABC/F1.wav");
    const std::string whole = sound(200ms);
    for (const std::string& damaged : {std::string("to nie jest nagranie"), whole.substr(0, whole.size() / 2),
                                       whole.substr(0, wave::kHeaderSize), std::string()}) {
        record(kF1, damaged);
        voice->play(kF1);
        EXPECT_EQ(voice->problem(), "Nagranie glos/SP5ABC/F1.wav jest uszkodzone");
    }
    EXPECT_EQ(events, QStringList(5, "not played"));
}

TEST_F(Voice, PttDropsOnEscapeOnASilentRadioAndWhenTheProgramCloses)
{
    record(kF1, sound(5s));
    auto voice = player(&ptt);
    const auto playUntilStarted = [&] {
        events.clear();
        voice->play(kF1);
        return eventually([&] { return events.contains("started"); });
    };
    ASSERT_TRUE(playUntilStarted());
    voice->stop();
    EXPECT_EQ(events, QStringList({"PTT on", "started", "PTT off", "not played"}));

    ASSERT_TRUE(playUntilStarted());
    emit ptt.problemChanged(QStringLiteral("brak połączenia"));
    EXPECT_EQ(events, QStringList({"PTT on", "started", "PTT off", "not played"}));
    EXPECT_EQ(voice->problem(), "Nagranie glos/SP5ABC/F1.wav przerwane: brak połączenia");

    ptt.confirms = false;
    events.clear();
    voice->play(kF1);
    ASSERT_TRUE(eventually([&] { return ended(); }));
    EXPECT_EQ(events, QStringList({"PTT on", "PTT off", "not played"}));
    EXPECT_EQ(voice->problem(),
              "Radio nie potwierdziło nadawania (PTT): nagranie glos/SP5ABC/F1.wav nie zostało odtworzone");

    ptt.confirms = true;
    ASSERT_TRUE(playUntilStarted());
    voice.reset();
    EXPECT_EQ(events, QStringList({"PTT on", "started", "PTT off"}));
}

TEST_F(Voice, ARecordingReplacesTheOldMessageOnlyWhenCompleteAndPlaysBack)
{
    const QString name = link::voiceMessageName(QStringLiteral("SP9XYZ"), 3);
    link::VoiceRecorder recorder(folder.path());
    bool saved = false;
    QObject::connect(&recorder, &link::VoiceRecorder::finished, [&](bool ok) { saved = ok; });
    const auto recordFor = [&](std::chrono::milliseconds length) {
        recorder.start(name);
        return eventually([&] { return recorder.length() >= length; });
    };
    // The operator's folder is made for the first one.
    ASSERT_TRUE(recordFor(300ms)) << recorder.problem().toStdString();
    recorder.stop();
    ASSERT_TRUE(saved) << recorder.problem().toStdString();
    const std::string first = folder.read(name.toStdString());

    ASSERT_TRUE(recordFor(100ms));
    EXPECT_EQ(folder.read(name.toStdString()), first);
    {
        const FileFault full(files::Op::Rename, ENOSPC);
        recorder.stop();
    }
    EXPECT_FALSE(saved);
    EXPECT_EQ(recorder.problem(), "Nie można zapisać nagrania glos/SP9XYZ/F3.wav: Disk full");
    EXPECT_EQ(folder.read(name.toStdString()), first);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder / "glos/SP9XYZ"), {}), 1);

    const auto voice = player(&ptt);
    QElapsedTimer clock;
    clock.start();
    voice->play(name);
    ASSERT_TRUE(eventually([&] { return ended(); }));
    EXPECT_EQ(events.last(), "played");
    EXPECT_GE(clock.elapsed(), 300);
}

TEST_F(Voice, RecordingWithoutAMicrophoneSaysSo)
{
    const auto pactl = [](const QStringList& arguments) {
        QProcess process;
        process.setStandardOutputFile(QProcess::nullDevice());
        process.start(QStringLiteral("pactl"), arguments);
        return process.waitForFinished() && process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    };
    ASSERT_EQ(pactl({"unload-module", "module-null-source"}), 0);
    // The other tests of this process need it back.
    const std::shared_ptr<void> plugBack(nullptr, [&](void*) {
        pactl({"load-module", "module-null-source", "source_name=silence"});
        EXPECT_TRUE(eventually([] { return !QMediaDevices::audioInputs().isEmpty(); }));
    });
    ASSERT_TRUE(eventually([] { return QMediaDevices::audioInputs().isEmpty(); }));

    link::VoiceRecorder recorder(folder.path());
    recorder.start(kF1);
    EXPECT_FALSE(recorder.recording());
    EXPECT_EQ(recorder.problem(), "Brak mikrofonu: nagranie glos/SP5ABC/F1.wav nie zostało zrobione");
    EXPECT_FALSE(folder.exists(kF1.toStdString()));
}

}  // namespace
}  // namespace qz::test
