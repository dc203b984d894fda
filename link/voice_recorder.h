#pragma once
// Records a voice message from the default microphone until stopped. The
// sound is held in memory and written only when the recording is complete,
// through a temporary file renamed over the old recording, so an old message
// stays whole until a new one has been written in full. A recording left
// running is stopped and kept at two minutes.

#include "wave_file.h"

#include <QAudio>
#include <QObject>
#include <QString>
#include <chrono>
#include <filesystem>
#include <string>

class QAudioSource;
class QIODevice;

namespace qz::link {

class VoiceRecorder : public QObject {
    Q_OBJECT
public:
    // Names are relative to `folder`, the station folder.
    explicit VoiceRecorder(std::filesystem::path folder, QObject* parent = nullptr);
    // A recording under way is dropped: the old one stays.
    ~VoiceRecorder() override;
    VoiceRecorder(const VoiceRecorder&) = delete;
    VoiceRecorder& operator=(const VoiceRecorder&) = delete;

    // Starts recording `name`, e.g. "glos/SP5ABC/F1.wav", after saving the
    // one under way; creates its folder.
    void start(const QString& name);
    // Ends the recording and saves it.
    void stop();

    bool recording() const { return source_ != nullptr; }
    // How long the recording under way is so far, for the operator.
    std::chrono::milliseconds length() const;
    // Why the last recording was not made or not saved (in Polish); empty
    // once one is.
    const QString& problem() const { return problem_; }

signals:
    void started();
    // Saved (true), or lost: the old recording stays (false).
    void finished(bool saved);
    void problemChanged(const QString& problem);

private:
    // Takes what the microphone has delivered so far.
    void take();
    void sourceStateChanged(QAudio::State state);
    void end(bool save);
    void setProblem(const QString& problem);

    std::filesystem::path folder_;
    QString name_;
    QAudioSource* source_ = nullptr;
    QIODevice* input_ = nullptr;
    wave::Format format_;
    std::string samples_;
    std::size_t limit_ = 0;
    QString problem_;
};

}  // namespace qz::link
