#pragma once
// Plays a recorded voice message through the default sound card, with the
// transmitter keyed around it: PTT on, the sound once the radio confirms it,
// PTT off once the sound card has played the end. The sound server may hold
// up to two seconds of sound after taking the last sample (PulseAudio's
// buffer), so the end is the one its playing clock reports. Whatever happens to the
// file, the sound card or the radio, PTT is dropped: a message that cannot be
// played never keys it, and one that stops for any reason (stop(), a stuck
// sound card, a radio that stops answering, the player going away) drops it.
// Nothing here waits; the signals say what happened.

#include "ptt_switch.h"

#include <QAudio>
#include <QObject>
#include <QPointer>
#include <QString>
#include <chrono>
#include <filesystem>

class QAudioSink;
class QBuffer;
class QTimer;

namespace qz::link {

struct VoiceTiming {
    // How long the radio may take to confirm PTT before the message is given up.
    std::chrono::milliseconds confirm{1000};
    // PTT stays on this long after the sound card has played the end.
    std::chrono::milliseconds tail{100};
    // Beyond the message's own length, before a sound card counts as stuck.
    std::chrono::milliseconds slack{5000};
};

class VoicePlayer : public QObject {
    Q_OBJECT
public:
    // Names are relative to `folder`, the station folder. Without a `ptt`
    // (VOX) the radio keys itself on the sound and the sound starts at once.
    VoicePlayer(std::filesystem::path folder, PttSwitch* ptt, VoiceTiming timing = {}, QObject* parent = nullptr);
    ~VoicePlayer() override;
    VoicePlayer(const VoicePlayer&) = delete;
    VoicePlayer& operator=(const VoicePlayer&) = delete;

    // Plays the recording `name`, e.g. "glos/SP5ABC/F1.wav", after stopping
    // the one that plays. One that cannot be played is finished, with its
    // problem, before this returns.
    void play(const QString& name);
    // Stops the sound and drops PTT at once.
    void stop();

    bool busy() const { return stage_ != Stage::Idle; }
    // Why the last message did not play (in Polish); empty once one plays.
    const QString& problem() const { return problem_; }

signals:
    // The sound has started, PTT on.
    void started();
    // Played to its end (true), or stopped, refused or broken off (false).
    void finished(bool ok);
    void problemChanged(const QString& problem);

private:
    enum class Stage { Idle, Keying, Playing, Ending };

    // The problem that keeps `name` from playing, or empty when it is ready.
    QString load(const QString& name);
    void startSound();
    void soundStateChanged(QAudio::State state);
    void checkPlayed();
    void end(bool ok, const QString& problem);
    void setProblem(const QString& problem);

    std::filesystem::path folder_;
    QPointer<PttSwitch> ptt_;
    VoiceTiming timing_;
    Stage stage_ = Stage::Idle;
    QString name_;
    std::chrono::milliseconds length_{};
    QBuffer* samples_;
    QAudioSink* sink_ = nullptr;
    QTimer* confirmTimer_;
    QTimer* playedTimer_;
    QTimer* tailTimer_;
    QTimer* watchdog_;
    QString problem_;
};

}  // namespace qz::link
