#include "cw_keyer.h"

#include <QTimer>
#include <vector>

namespace qz::link {
namespace {

constexpr std::size_t kMaxQueued = 16;

}  // namespace

std::uint64_t CwKeyer::send(const std::string& text)
{
    const std::uint64_t id = nextId_++;
    if (queue_.size() == kMaxQueued) {
        finishLater(id, true);
        return id;
    }
    queue_.push_back({id, text});
    if (!sending_)
        sendNext();
    return id;
}

void CwKeyer::finishSending(bool aborted)
{
    const std::uint64_t id = sending_->id;
    sending_.reset();
    emit finished(id, aborted);
    sendNext();
}

void CwKeyer::dropAll()
{
    std::vector<std::uint64_t> dropped;
    if (sending_)
        dropped.push_back(sending_->id);
    sending_.reset();
    for (const Text& text : queue_)
        dropped.push_back(text.id);
    queue_.clear();
    for (const std::uint64_t id : dropped)
        emit finished(id, true);
}

void CwKeyer::finishLater(std::uint64_t id, bool aborted)
{
    QTimer::singleShot(0, this, [this, id, aborted] { emit finished(id, aborted); });
}

void CwKeyer::setProblem(const QString& problem)
{
    if (problem == problem_)
        return;
    problem_ = problem;
    emit problemChanged(problem_);
}

}  // namespace qz::link
