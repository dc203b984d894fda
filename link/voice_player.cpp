#include "voice_player.h"

#include "codec.h"
#include "errors.h"
#include "files.h"
#include "link_timer.h"
#include "wave_audio.h"
#include "wave_file.h"

#include <QAudioDevice>
#include <QAudioSink>
#include <QBuffer>
#include <QMediaDevices>
#include <QTimer>

namespace qz::link {
namespace {

// How often the sound card's playing clock is read once it has every sample,
// and how far short of the end it may stop: the clock is interpolated.
constexpr std::chrono::milliseconds kPlayedPoll{20};
constexpr std::chrono::microseconds kClockSlack{50000};

QString cannotPlay(const QString& name) { return QStringLiteral("Karta dźwiękowa nie odtwarza nagrania %1").arg(name); }

}  // namespace

VoicePlayer::VoicePlayer(std::filesystem::path folder, PttSwitch* ptt, VoiceTiming timing, QObject* parent)
    : QObject(parent), folder_(std::move(folder)), ptt_(ptt), timing_(timing), samples_(new QBuffer(this)),
      confirmTimer_(makeTimer(this, timing.confirm)), playedTimer_(makeTimer(this, kPlayedPoll, false)),
      tailTimer_(makeTimer(this, timing.tail)), watchdog_(makeTimer(this, {}))
{
    if (ptt_) {
        connect(ptt_, &PttSwitch::keyed, this, [this](bool on) {
            if (on && stage_ == Stage::Keying)
                startSound();
        });
        // A radio that stops answering may still be transmitting: the sound
        // stops and PTT off is asked for at once.
        connect(ptt_, &PttSwitch::problemChanged, this, [this](const QString& problem) {
            if (busy() && !problem.isEmpty())
                end(false, QStringLiteral("Nagranie %1 przerwane: %2").arg(name_, problem));
        });
    }
    connect(confirmTimer_, &QTimer::timeout, this, [this] {
        end(false,
            QStringLiteral("Radio nie potwierdziło nadawania (PTT): nagranie %1 nie zostało odtworzone").arg(name_));
    });
    connect(playedTimer_, &QTimer::timeout, this, &VoicePlayer::checkPlayed);
    connect(tailTimer_, &QTimer::timeout, this, [this] { end(true, {}); });
    connect(watchdog_, &QTimer::timeout, this, [this] { end(false, cannotPlay(name_)); });
}

VoicePlayer::~VoicePlayer()
{
    // The program may be closing: the radio must not be left transmitting.
    if (busy() && ptt_)
        ptt_->key(false);
    if (sink_) {
        sink_->disconnect(this);
        delete sink_;
    }
}

void VoicePlayer::play(const QString& name)
{
    stop();
    name_ = name;
    if (const QString problem = load(name); !problem.isEmpty()) {
        setProblem(problem);
        emit finished(false);
        return;
    }
    if (!ptt_)
        return startSound();
    stage_ = Stage::Keying;
    confirmTimer_->start();
    ptt_->key(true);
}

void VoicePlayer::stop()
{
    if (busy())
        end(false, {});
}

QString VoicePlayer::load(const QString& name)
{
    const std::filesystem::path path = folder_ / toPath(name);
    if (!files::isFile(path))
        return QStringLiteral("Brak nagrania %1").arg(name);
    std::string bytes;
    try {
        bytes = files::readAll(path);
    } catch (const IoError& error) {
        return QStringLiteral("Nie można odczytać nagrania %1: %2").arg(name, fromAscii(error.what()));
    }
    const std::optional<wave::Sound> sound = wave::read(bytes);
    if (!sound)
        return QStringLiteral("Nagranie %1 jest uszkodzone").arg(name);
    const QAudioDevice device = QMediaDevices::defaultAudioOutput();
    if (device.isNull())
        return QStringLiteral("Brak karty dźwiękowej: nagranie %1 nie zostało odtworzone").arg(name);
    const QAudioFormat format = toAudioFormat(sound->format);
    if (!device.isFormatSupported(format))
        return cannotPlay(name);
    // Without a parent: Qt's PulseAudio sink runs the event loop while it is
    // destroyed, and a sink that end() left to be deleted later would be
    // deleted a second time with the player.
    sink_ = new QAudioSink(device, format);
    connect(sink_, &QAudioSink::stateChanged, this, &VoicePlayer::soundStateChanged);
    samples_->setData(QByteArray(bytes.data() + sound->offset, static_cast<qsizetype>(sound->size)));
    length_ = std::chrono::milliseconds(sound->format.milliseconds(sound->size));
    return {};
}

void VoicePlayer::startSound()
{
    confirmTimer_->stop();
    stage_ = Stage::Playing;
    samples_->open(QIODevice::ReadOnly);
    sink_->start(samples_);
    if (sink_->error() != QAudio::NoError)
        return end(false, cannotPlay(name_));
    watchdog_->start(length_ + timing_.slack);
    setProblem({});
    emit started();
}

void VoicePlayer::soundStateChanged(QAudio::State state)
{
    if (state == QAudio::StoppedState && sink_->error() != QAudio::NoError)
        return end(false, cannotPlay(name_));
    if (state == QAudio::IdleState && stage_ == Stage::Playing && samples_->atEnd()) {
        stage_ = Stage::Ending;
        playedTimer_->start();
        checkPlayed();
    }
}

void VoicePlayer::checkPlayed()
{
    if (std::chrono::microseconds(sink_->processedUSecs()) + kClockSlack < length_)
        return;
    playedTimer_->stop();
    tailTimer_->start();
}

void VoicePlayer::end(bool ok, const QString& problem)
{
    if (!busy())
        return;
    stage_ = Stage::Idle;
    confirmTimer_->stop();
    playedTimer_->stop();
    tailTimer_->stop();
    watchdog_->stop();
    if (ptt_)
        ptt_->key(false);
    sink_->disconnect(this);
    sink_->stop();
    sink_->deleteLater();
    sink_ = nullptr;
    samples_->close();
    setProblem(problem);
    emit finished(ok);
}

void VoicePlayer::setProblem(const QString& problem)
{
    if (problem == problem_)
        return;
    problem_ = problem;
    emit problemChanged(problem_);
}

}  // namespace qz::link
