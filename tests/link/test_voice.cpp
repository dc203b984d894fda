#include "file_faults.h"
#include "null_sound.h"
#include "ptt_switch.h"
#include "temp_folder.h"
#include "voice_message.h"
#include "voice_player.h"
#include "voice_recorder.h"
#include "wave_file.h"

#include <QAudioDevice>
#include <QElapsedTimer>
#include <QMediaDevices>
#include <QProcess>
#include <QTimer>
#include <cerrno>
#include <cmath>
#include <memory>

namespace qz::test {
namespace {

using namespace std::chrono_literals;

// The radio: confirms each PTT request after `delay`, or never. Every request
// and every signal of the player goes into one list, in order.
class FakePtt : public link::PttSwitch {
public:
    explicit FakePtt(QStringList& events) : events_(events) {}
    void key(bool on) override
    {
        events_ << (on ? QStringLiteral("PTT on") : QStringLiteral("PTT off"));
        if (confirms)
            QTimer::singleShot(delay, this, [this, on] { emit keyed(on); });
    }
    bool isOn() const
    {
        return events_.lastIndexOf(QStringLiteral("PTT on")) > events_.lastIndexOf(QStringLiteral("PTT off"));
    }

    bool confirms = true;
    std::chrono::milliseconds delay = 10ms;

private:
    QStringList& events_;
};

const QString kF1 = link::voiceMessageName(QStringLiteral("SP5ABC"), 1);

std::string tone(std::chrono::milliseconds length)
{
    const wave::Format format{wave::Sample::Int16, 1, 8000};
    std::string samples;
    for (long long i = 0; i < format.rate * length.count() / 1000; ++i) {
        const auto value = static_cast<std::uint16_t>(std::lround(8000 * std::sin(0.3 * static_cast<double>(i))));
        samples += {static_cast<char>(value & 0xFF), static_cast<char>(value >> 8)};
    }
    return wave::header(format, static_cast<std::uint32_t>(samples.size())) + samples;
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
    std::unique_ptr<link::VoicePlayer> player(link::PttSwitch* switch_, link::VoiceTiming timing = {})
    {
        auto made = std::make_unique<link::VoicePlayer>(folder.path(), switch_, timing);
        QObject::connect(made.get(), &link::VoicePlayer::started, [this] { events << QStringLiteral("started"); });
        QObject::connect(made.get(), &link::VoicePlayer::finished,
                         [this](bool ok) { events << (ok ? QStringLiteral("played") : QStringLiteral("not played")); });
        return made;
    }
    bool ended() const
    {
        return events.endsWith(QStringLiteral("played")) || events.endsWith(QStringLiteral("not played"));
    }

    TempFolder folder;
    QStringList events;
    FakePtt ptt{events};
};

TEST_F(Voice, PlaysTheWholeMessageWhileTheRadioConfirmsPtt)
{
    record(kF1, tone(400ms));
    ptt.delay = 300ms;
    const auto voice = player(&ptt);
    QElapsedTimer clock;
    qint64 startedAt = -1;
    QObject::connect(voice.get(), &link::VoicePlayer::started, [&] { startedAt = clock.elapsed(); });
    clock.start();
    voice->play(kF1);
    ASSERT_TRUE(eventually([&] { return ended(); }));
    EXPECT_EQ(events, QStringList({"PTT on", "started", "PTT off", "played"}));
    // The sound waits for the radio, and plays out before PTT drops.
    EXPECT_GE(startedAt, 300);
    EXPECT_GE(clock.elapsed() - startedAt, 400);
    EXPECT_EQ(voice->problem(), QString());

    // VOX: no PTT at all, the sound at once.
    events.clear();
    const auto vox = player(nullptr);
    vox->play(kF1);
    EXPECT_EQ(events, QStringList({"started"}));
    ASSERT_TRUE(eventually([&] { return ended(); }));
    EXPECT_EQ(events, QStringList({"started", "played"}));
}

TEST_F(Voice, MissingOrDamagedMessagesNeverKeyPtt)
{
    const QString f2 = link::voiceMessageName(QStringLiteral("SP5ABC"), 2);
    const auto voice = player(&ptt);
    voice->play(kF1);
    EXPECT_EQ(voice->problem(), QStringLiteral("Brak nagrania glos/SP5ABC/F1.wav"));
    const std::string whole = tone(200ms);
    for (const std::string& damaged : {std::string("to nie jest nagranie"), whole.substr(0, whole.size() / 2),
                                       whole.substr(0, wave::kHeaderSize), std::string()}) {
        record(f2, damaged);
        voice->play(f2);
        EXPECT_EQ(voice->problem(), QStringLiteral("Nagranie glos/SP5ABC/F2.wav jest uszkodzone"));
    }
    EXPECT_EQ(events, QStringList(5, QStringLiteral("not played")));
}

TEST_F(Voice, EscapeOrClosingTheProgramDropsPttAtOnce)
{
    record(kF1, tone(5s));
    auto voice = player(&ptt);
    voice->play(kF1);
    ASSERT_TRUE(eventually([&] { return events.contains(QStringLiteral("started")); }));
    voice->stop();
    EXPECT_EQ(events, QStringList({"PTT on", "started", "PTT off", "not played"}));
    EXPECT_EQ(voice->problem(), QString());

    voice->play(kF1);
    ASSERT_TRUE(eventually([&] { return ptt.isOn() && voice->busy(); }));
    voice.reset();
    EXPECT_FALSE(ptt.isOn());
}

TEST_F(Voice, ARadioThatDoesNotConfirmOrStopsAnsweringGetsPttOff)
{
    record(kF1, tone(5s));
    const auto voice = player(&ptt, {.confirm = 200ms});
    ptt.confirms = false;
    voice->play(kF1);
    ASSERT_TRUE(eventually([&] { return ended(); }));
    EXPECT_EQ(events, QStringList({"PTT on", "PTT off", "not played"}));
    EXPECT_EQ(
        voice->problem(),
        QStringLiteral("Radio nie potwierdziło nadawania (PTT): nagranie glos/SP5ABC/F1.wav nie zostało odtworzone"));

    events.clear();
    ptt.confirms = true;
    voice->play(kF1);
    ASSERT_TRUE(eventually([&] { return events.contains(QStringLiteral("started")); }));
    emit ptt.problemChanged(QStringLiteral("brak połączenia"));
    EXPECT_EQ(events, QStringList({"PTT on", "started", "PTT off", "not played"}));
    EXPECT_EQ(voice->problem(), QStringLiteral("Nagranie glos/SP5ABC/F1.wav przerwane: brak połączenia"));
}

TEST_F(Voice, ARecordingReplacesTheOldMessageOnlyWhenCompleteAndPlaysBack)
{
    const QString name = link::voiceMessageName(QStringLiteral("SP9XYZ"), 3);
    link::VoiceRecorder recorder(folder.path());
    bool saved = false;
    QObject::connect(&recorder, &link::VoiceRecorder::finished, [&](bool ok) { saved = ok; });
    const auto recordFor = [&](std::chrono::milliseconds length) {
        recorder.start(name);
        EXPECT_TRUE(eventually([&] { return recorder.length() >= length; })) << recorder.problem().toStdString();
    };

    // The operator's folder is made at the start.
    recordFor(300ms);
    recorder.stop();
    ASSERT_TRUE(saved) << recorder.problem().toStdString();
    const std::string first = folder.read(name.toStdString());
    const std::optional<wave::Sound> sound = wave::read(first);
    ASSERT_TRUE(sound);
    EXPECT_GE(sound->format.milliseconds(sound->size), 300);

    // The old message stays whole while the new one is recorded, and when
    // it cannot be written.
    recordFor(100ms);
    EXPECT_EQ(folder.read(name.toStdString()), first);
    {
        const FileFault full(files::Op::Rename, ENOSPC);
        recorder.stop();
    }
    EXPECT_FALSE(saved);
    EXPECT_EQ(recorder.problem(), QStringLiteral("Nie można zapisać nagrania glos/SP9XYZ/F3.wav: Disk full"));
    EXPECT_EQ(folder.read(name.toStdString()), first);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder / "glos/SP9XYZ"), {}), 1);

    const auto voice = player(&ptt);
    voice->play(name);
    ASSERT_TRUE(eventually([&] { return ended(); }));
    EXPECT_EQ(events.last(), QStringLiteral("played"));
}

TEST_F(Voice, RecordingWithoutAMicrophoneSaysSo)
{
    const auto pactl = [](const QStringList& arguments) {
        return QProcess::execute(QStringLiteral("pactl"), arguments);
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
    EXPECT_EQ(recorder.problem(), QStringLiteral("Brak mikrofonu: nagranie glos/SP5ABC/F1.wav nie zostało zrobione"));
    EXPECT_FALSE(folder.exists(kF1.toStdString()));
}

}  // namespace
}  // namespace qz::test
