#include "message_keys.h"

#include "codec.h"

#include <algorithm>

namespace qz::ui {
namespace {

QString keyName(std::size_t key) { return QStringLiteral("F%1").arg(key + 1); }

}  // namespace

MessageKeys::MessageKeys(std::filesystem::path folder, QObject* parent) : QObject(parent), folder_(std::move(folder))
{
    MessagesRead read = readMessages(folder_);
    book_ = std::move(read.book);
    ignored_ = std::move(read.ignored);
}

MessageKeys::~MessageKeys() = default;

void MessageKeys::useKeyer(std::unique_ptr<link::CwKeyer> keyer, const QString& source)
{
    keyer_ = std::move(keyer);
    source_ = source;
    sending_.clear();
    if (keyer_) {
        connect(keyer_.get(), &link::CwKeyer::finished, this, &MessageKeys::keyerFinished);
        connect(keyer_.get(), &link::CwKeyer::problemChanged, this, &MessageKeys::setProblem);
        keyer_->setSpeed(book_.wpm);
    }
    emit stateChanged();
}

void MessageKeys::useVoice(std::unique_ptr<VoiceOutput> voice)
{
    voice_ = std::move(voice);
    connect(voice_.get(), &VoiceOutput::finished, this, [this] {
        playing_.clear();
        emit stateChanged();
    });
    connect(voice_.get(), &VoiceOutput::problemChanged, this, &MessageKeys::setProblem);
}

void MessageKeys::send(std::size_t key, MessageMode mode, const MessageFields& fields)
{
    if (mode == MessageMode::Ssb) {
        playVoice(key, fields);
        return;
    }
    const std::string text = expandMessage(book_.cw.at(key), fields, MessageMode::Cw, book_.cutNumbers);
    if (text.empty())
        return;
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

void MessageKeys::playVoice(std::size_t key, const MessageFields& fields)
{
    const QString file = QStringLiteral("glos/%1/%2.wav").arg(fromCp1250(fields.mycall), keyName(key));
    const QString label = QStringLiteral("SSB %1: %2").arg(keyName(key), file);
    if (!voice_) {
        last_ = label + QStringLiteral(" nie odtworzone, ten program nie ma dźwięku");
    } else {
        last_.clear();
        playing_ = label;
        voice_->play(folder_ / toPath(file));
    }
    emit stateChanged();
}

void MessageKeys::stop()
{
    const bool busy = !sending_.empty() || !playing_.isEmpty();
    if (keyer_)
        keyer_->abort();
    if (voice_)
        voice_->stop();
    if (busy)
        last_ = (sending_.empty() ? playing_ : sending_.front().label) + QStringLiteral(" przerwane (Esc)");
    sending_.clear();
    playing_.clear();
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
    book_ = book;
    ignored_.clear();
    if (keyer_)
        keyer_->setSpeed(book_.wpm);
    emit stateChanged();
}

void MessageKeys::keyerFinished(std::uint64_t id, bool)
{
    const auto done = std::find_if(sending_.begin(), sending_.end(), [id](const Sent& sent) { return sent.id == id; });
    if (done == sending_.end())
        return;
    sending_.erase(done);
    emit stateChanged();
}

void MessageKeys::setProblem(const QString& problem)
{
    problem_ = problem;
    emit stateChanged();
}

QString MessageKeys::where() const { return keyer_ ? keyer_->where() : QStringLiteral("wyłączone (%1)").arg(source_); }

QString MessageKeys::state() const
{
    QString line;
    if (!sending_.empty())
        line = sending_.front().label + QStringLiteral(" → ") + where();
    else if (!playing_.isEmpty())
        line = playing_;
    else if (!last_.isEmpty())
        line = last_;
    else
        line = QStringLiteral("CW → ") + where();
    line += QStringLiteral(", %1 WPM").arg(book_.wpm);
    if (!problem_.isEmpty())
        line += QStringLiteral(". ") + problem_;
    return line;
}

}  // namespace qz::ui
