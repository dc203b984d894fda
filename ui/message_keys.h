#pragma once
// The messages of the function keys: the texts and options of the station's
// messages file, F1-F8 sent in the entry's mode (CW through the keyer, SSB as
// the operator's recording), Escape stopping them, and the CW speed. Says in
// one line what is sent and where, and what the keyer lacks.

#include "cw_keyer.h"
#include "cw_messages.h"
#include "setting_source.h"

#include <QObject>
#include <QString>
#include <cstdint>
#include <deque>
#include <filesystem>
#include <memory>
#include <vector>

namespace qz::ui {

// Plays the operator's recordings on SSB; stopping drops the PTT.
class VoiceOutput : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;
    virtual void play(const std::filesystem::path& file) = 0;
    virtual void stop() = 0;

signals:
    void finished();
    void problemChanged(const QString& problem);
};

class MessageKeys : public QObject {
    Q_OBJECT
public:
    // Reads the station's messages file; the lines passed over are kept.
    MessageKeys(std::filesystem::path folder, QObject* parent);
    ~MessageKeys() override;

    // The CW keyer from now on (none: CW is not sent), and how it was chosen,
    // for the state line: "--cw", or the file that chose it.
    void useKeyer(std::unique_ptr<link::CwKeyer> keyer, const QString& source);
    void useVoice(std::unique_ptr<VoiceOutput> voice);

    // F1 is 0. Nothing when the expanded text is empty.
    void send(std::size_t key, MessageMode mode, const MessageFields& fields);
    // Escape: what is sent stops and what is queued is dropped.
    void stop();
    // F9/F10: the CW speed by `step` WPM within the keyer's range, kept in the
    // messages file (throws IoError when it cannot be written).
    void stepSpeed(int step);

    const MessageBook& book() const { return book_; }
    const std::vector<IgnoredSetting>& ignored() const { return ignored_; }
    // The messages window has saved a new book.
    void replaceBook(const MessageBook& book);
    const std::filesystem::path& folder() const { return folder_; }

    QString state() const;
    bool warning() const { return !problem_.isEmpty(); }

signals:
    void stateChanged();

private:
    struct Sent {
        std::uint64_t id;
        QString label;
    };
    void sendCw(std::size_t key, const std::string& text);
    void playVoice(std::size_t key, const MessageFields& fields);
    void keyerFinished(std::uint64_t id, bool aborted);
    void setProblem(const QString& problem);
    QString where() const;

    std::filesystem::path folder_;
    MessageBook book_;
    std::vector<IgnoredSetting> ignored_;
    std::unique_ptr<link::CwKeyer> keyer_;
    std::unique_ptr<VoiceOutput> voice_;
    QString source_;
    // What the keyer has been handed and has not finished, oldest first.
    std::deque<Sent> sending_;
    QString playing_;
    QString last_;
    QString problem_;
};

}  // namespace qz::ui
