#include "voice_recorder.h"

#include "codec.h"
#include "errors.h"
#include "files.h"
#include "wave_audio.h"

#include <QAudioDevice>
#include <QAudioSource>
#include <QMediaDevices>

namespace qz::link {
namespace {

constexpr std::size_t kLongestSeconds = 120;

QString cannotSave(const QString& name, const IoError& error)
{
    return QStringLiteral("Nie można zapisać nagrania %1: %2").arg(name, fromAscii(error.what()));
}

// Mono 16-bit at the microphone's own rate: enough for a voice, and what
// every sound card plays back.
QAudioFormat recordingFormat(const QAudioDevice& microphone)
{
    QAudioFormat format = microphone.preferredFormat();
    format.setChannelCount(1);
    format.setSampleFormat(QAudioFormat::Int16);
    return microphone.isFormatSupported(format) ? format : microphone.preferredFormat();
}

}  // namespace

VoiceRecorder::VoiceRecorder(std::filesystem::path folder, QObject* parent)
    : QObject(parent), folder_(std::move(folder))
{
}

VoiceRecorder::~VoiceRecorder()
{
    if (source_) {
        source_->disconnect(this);
        delete source_;
    }
}

void VoiceRecorder::start(const QString& name)
{
    stop();
    name_ = name;
    const QAudioDevice microphone = QMediaDevices::defaultAudioInput();
    const QAudioFormat format = recordingFormat(microphone);
    const std::optional<wave::Format> wave = toWaveFormat(format);
    if (microphone.isNull() || !wave)
        return setProblem(QStringLiteral("Brak mikrofonu: nagranie %1 nie zostało zrobione").arg(name));
    try {
        files::makeFolders((folder_ / toPath(name)).parent_path());
    } catch (const IoError& error) {
        return setProblem(cannotSave(name, error));
    }
    format_ = *wave;
    limit_ = kLongestSeconds * static_cast<std::size_t>(format_.bytesPerFrame() * format_.rate);
    samples_.clear();
    // Without a parent, as the player's sink: Qt's PulseAudio source runs the
    // event loop while it is destroyed.
    source_ = new QAudioSource(microphone, format);
    connect(source_, &QAudioSource::stateChanged, this, &VoiceRecorder::sourceStateChanged);
    input_ = source_->start();
    if (!input_ || source_->error() != QAudio::NoError)
        return end(false);
    connect(input_, &QIODevice::readyRead, this, [this] {
        take();
        if (samples_.size() >= limit_)
            end(true);
    });
    setProblem({});
    emit started();
}

void VoiceRecorder::stop()
{
    if (recording())
        end(true);
}

std::chrono::milliseconds VoiceRecorder::length() const
{
    return std::chrono::milliseconds(recording() ? format_.milliseconds(samples_.size()) : 0);
}

void VoiceRecorder::take()
{
    const QByteArray bytes = input_->readAll();
    samples_.append(bytes.constData(), static_cast<std::size_t>(bytes.size()));
}

void VoiceRecorder::sourceStateChanged(QAudio::State state)
{
    if (state == QAudio::StoppedState && source_->error() != QAudio::NoError)
        end(false);
}

void VoiceRecorder::end(bool save)
{
    if (save)
        take();
    if (input_)
        input_->disconnect(this);
    source_->disconnect(this);
    source_->stop();
    source_->deleteLater();
    source_ = nullptr;
    input_ = nullptr;
    // Whole frames only: a sound card may hand over part of one.
    samples_.resize(samples_.size() - samples_.size() % static_cast<std::size_t>(format_.bytesPerFrame()));
    if (!save || samples_.empty()) {
        setProblem(QStringLiteral("Mikrofon nie nagrywa: nagranie %1 nie zostało zapisane").arg(name_));
        emit finished(false);
        return;
    }
    try {
        files::replaceAtomically(folder_ / toPath(name_),
                                 wave::header(format_, static_cast<std::uint32_t>(samples_.size())) + samples_);
    } catch (const IoError& error) {
        setProblem(cannotSave(name_, error));
        emit finished(false);
        return;
    }
    samples_.clear();
    emit finished(true);
}

void VoiceRecorder::setProblem(const QString& problem)
{
    if (problem == problem_)
        return;
    problem_ = problem;
    emit problemChanged(problem_);
}

}  // namespace qz::link
