#include "message_keys.h"

#include "codec.h"
#include "station_files.h"
#include "voice_message.h"
#include "voice_player.h"
#include "voice_recorder.h"

#include <algorithm>

namespace qz::ui {
namespace {

QString keyName(std::size_t key) { return QStringLiteral("F%1").arg(key + 1); }

QString recordingName(std::size_t key, const std::string& mycall)
{
    return link::voiceMessageName(fromCp1250(mycall), static_cast<int>(key + 1));
}

}  // namespace

MessageKeys::MessageKeys(std::filesystem::path folder, QObject* parent)
    : QObject(parent), folder_(std::move(folder)), recorder_(new link::VoiceRecorder(folder_, this)),
      offReason_(QStringLiteral("brak --cw i %1").arg(fromAscii(kCwSettingFile)))
{
    MessagesRead read = readMessages(folder_);
    book_ = std::move(read.book);
    ignored_ = std::move(read.ignored);
    makePlayer();
    connect(recorder_, &link::VoiceRecorder::finished, this, [this](bool saved) {
        last_ = saved ? QStringLiteral("Nagrano %1").arg(recorded_) : QString();
        recording_.clear();
        emit stateChanged();
    });
    connect(recorder_, &link::VoiceRecorder::problemChanged, this,
            [this](const QString& problem) { show(voiceProblem_, problem); });
}

MessageKeys::~MessageKeys() = default;

void MessageKeys::useKeyer(std::unique_ptr<link::CwKeyer> keyer, const QString& offReason)
{
    keyer_ = std::move(keyer);
    if (!offReason.isEmpty())
        offReason_ = offReason;
    sending_.clear();
    cwProblem_.clear();
    if (keyer_) {
        connect(keyer_.get(), &link::CwKeyer::finished, this, &MessageKeys::keyerFinished);
        connect(keyer_.get(), &link::CwKeyer::problemChanged, this,
                [this](const QString& problem) { show(cwProblem_, problem); });
        keyer_->setSpeed(book_.wpm);
    }
    emit stateChanged();
}

void MessageKeys::useRadioPtt(std::unique_ptr<link::PttSwitch> ptt)
{
    // The player goes first: it drops the PTT it keyed.
    player_.reset();
    ptt_ = std::move(ptt);
    makePlayer();
}

void MessageKeys::makePlayer()
{
    player_.reset();
    playing_.clear();
    player_ = std::make_unique<link::VoicePlayer>(folder_, book_.ptt == PttMode::Rig ? ptt_.get() : nullptr);
    connect(player_.get(), &link::VoicePlayer::finished, this, [this] {
        playing_.clear();
        emit stateChanged();
    });
    connect(player_.get(), &link::VoicePlayer::problemChanged, this,
            [this](const QString& problem) { show(voiceProblem_, problem); });
}

void MessageKeys::send(std::size_t key, MessageMode mode, const MessageFields& fields)
{
    if (mode == MessageMode::Ssb)
        return play(key, fields.mycall);
    const std::string text = expandMessage(book_.cw.at(key), fields, MessageMode::Cw, book_.cutNumbers);
    if (!text.empty())
        sendCw(key, text);
}

void MessageKeys::sendCw(std::size_t key, const std::string& text)
{
    const QString label = QStringLiteral("CW %1: %2").arg(keyName(key), fromAscii(text));
    if (!keyer_) {
        last_ = label + QStringLiteral(" nie wysłane, CW jest wyłączone");
    } else {
        last_.clear();
        sending_.push_back({keyer_->send(text), label});
    }
    emit stateChanged();
}

void MessageKeys::play(std::size_t key, const std::string& mycall)
{
    const QString name = recordingName(key, mycall);
    last_.clear();
    playing_ = QStringLiteral("SSB %1: %2").arg(keyName(key), name);
    if (book_.ptt == PttMode::Vox)
        playing_ += QStringLiteral(" (VOX)");
    else if (!ptt_)
        playing_ += QStringLiteral(" (bez PTT: radio nie jest śledzone)");
    emit stateChanged();
    player_->play(name);
}

void MessageKeys::stop()
{
    // Named before the keyer and the player say they are done.
    const QString stopped = sending_.empty() ? playing_ : sending_.front().label;
    if (keyer_)
        keyer_->abort();
    player_->stop();
    if (!stopped.isEmpty())
        last_ = stopped + QStringLiteral(" przerwane (Esc)");
    sending_.clear();
    playing_.clear();
    emit stateChanged();
}

void MessageKeys::record(std::size_t key, const std::string& mycall)
{
    if (recorder_->recording()) {
        recorder_->stop();
        return;
    }
    const QString name = recordingName(key, mycall);
    recorded_ = name;
    recording_ = QStringLiteral("%1: Ctrl+%2 kończy").arg(name, keyName(key));
    last_.clear();
    emit stateChanged();
    recorder_->start(name);
    if (!recorder_->recording())
        recording_.clear();
    emit stateChanged();
}

void MessageKeys::stepSpeed(int step)
{
    const int wpm = std::clamp(book_.wpm + step, kMinWpm, kMaxWpm);
    if (wpm == book_.wpm)
        return;
    book_.wpm = wpm;
    if (keyer_)
        keyer_->setSpeed(wpm);
    emit stateChanged();
    saveMessages(folder_, book_);
}

void MessageKeys::replaceBook(const MessageBook& book)
{
    const bool pttChanged = book.ptt != book_.ptt;
    book_ = book;
    ignored_.clear();
    if (keyer_)
        keyer_->setSpeed(book_.wpm);
    if (pttChanged)
        makePlayer();
    emit stateChanged();
}

void MessageKeys::keyerFinished(std::uint64_t id)
{
    const auto done = std::find_if(sending_.begin(), sending_.end(), [id](const Sent& sent) { return sent.id == id; });
    if (done == sending_.end())
        return;
    sending_.erase(done);
    emit stateChanged();
}

void MessageKeys::show(QString& problem, const QString& text)
{
    problem = text;
    emit stateChanged();
}

QString MessageKeys::state() const
{
    QString line;
    if (!recording_.isEmpty())
        line = QStringLiteral("Nagrywanie ") + recording_;
    else if (!sending_.empty())
        line = sending_.front().label + QStringLiteral(" → ") + keyer_->where();
    else if (!playing_.isEmpty())
        line = playing_;
    else if (!last_.isEmpty())
        line = last_;
    else if (keyer_)
        line = QStringLiteral("CW → ") + keyer_->where();
    else
        line = QStringLiteral("CW wyłączone (%1)").arg(offReason_);
    line += QStringLiteral(", %1 WPM").arg(book_.wpm);
    for (const QString& problem : {cwProblem_, voiceProblem_})
        if (!problem.isEmpty())
            line += QStringLiteral(". ") + problem;
    return line;
}

}  // namespace qz::ui
