#pragma once
// The messages of the function keys: the texts and options of the station's
// messages file, F1-F8 sent in the entry's mode (CW through the keyer, SSB as
// the operator's recording), Escape stopping them, the recordings made, and
// the CW speed. Says in one line what is sent and where, and what the keyer,
// the radio or the sound card lacks.

#include "cw_keyer.h"
#include "cw_messages.h"
#include "ptt_switch.h"
#include "setting_source.h"

#include <QObject>
#include <QString>
#include <cstdint>
#include <deque>
#include <filesystem>
#include <memory>
#include <vector>

namespace qz::link {
class VoicePlayer;
class VoiceRecorder;
}  // namespace qz::link

namespace qz::ui {

class MessageKeys : public QObject {
    Q_OBJECT
public:
    // Reads the station's messages file; the lines passed over are kept.
    MessageKeys(std::filesystem::path folder, QObject* parent);
    ~MessageKeys() override;

    // The CW keyer from now on; none, with the reason for the state line
    // ("off w --cw"; empty: no setting chose any), when CW is not sent.
    void useKeyer(std::unique_ptr<link::CwKeyer> keyer, const QString& offReason);
    // The radio's PTT for the recordings, where the messages file says PTT=rig.
    void useRadioPtt(std::unique_ptr<link::PttSwitch> ptt);

    // F1 is 0. Nothing when the expanded CW text is empty.
    void send(std::size_t key, MessageMode mode, const MessageFields& fields);
    // Escape: what is sent stops, PTT drops, and what is queued is dropped.
    void stop();
    // Ctrl+F1-F8: records the operator's message for the key, or ends and
    // saves the recording under way.
    void record(std::size_t key, const std::string& mycall);
    // F9/F10: the CW speed by `step` WPM within the keyer's range, kept in the
    // messages file (throws IoError when it cannot be written).
    void stepSpeed(int step);

    const MessageBook& book() const { return book_; }
    const std::vector<IgnoredSetting>& ignored() const { return ignored_; }
    // The messages window has saved a new book.
    void replaceBook(const MessageBook& book);
    const std::filesystem::path& folder() const { return folder_; }

    QString state() const;
    bool warning() const { return !cwProblem_.isEmpty() || !voiceProblem_.isEmpty(); }

signals:
    void stateChanged();

private:
    struct Sent {
        std::uint64_t id;
        QString label;
    };
    void sendCw(std::size_t key, const std::string& text);
    void play(std::size_t key, const std::string& mycall);
    // A player for the PTT the book asks for; one that plays is stopped.
    void makePlayer();
    void keyerFinished(std::uint64_t id);
    void show(QString& problem, const QString& text);

    std::filesystem::path folder_;
    MessageBook book_;
    std::vector<IgnoredSetting> ignored_;
    std::unique_ptr<link::CwKeyer> keyer_;
    std::unique_ptr<link::PttSwitch> ptt_;
    std::unique_ptr<link::VoicePlayer> player_;
    link::VoiceRecorder* recorder_;
    QString offReason_;
    // What the keyer has been handed and has not finished, oldest first.
    std::deque<Sent> sending_;
    QString playing_;
    // The recording under way, for the line, and its file.
    QString recording_;
    QString recorded_;
    QString last_;
    QString cwProblem_;
    QString voiceProblem_;
};

}  // namespace qz::ui
