#include "exchange_predictor.h"

#include "codec.h"
#include "cw_messages.h"
#include "logbook.h"

#include <QCoreApplication>
#include <QFileSystemWatcher>
#include <QPointer>
#include <QThreadPool>
#include <QTimer>
#include <algorithm>

namespace qz::ui {
namespace {

// An editor writes a file in a few steps; one reading follows them all.
constexpr int kSettleMs = 300;

bool isZone(const std::string& exchange)
{
    return !exchange.empty() &&
           std::all_of(exchange.begin(), exchange.end(), [](char c) { return c >= '0' && c <= '9'; });
}

}  // namespace

struct ExchangePredictor::Read {
    CallHistoryRead history;
    ContestData contest;
    bool fills = true;
};

QString predictionSourceText(const Prediction& prediction)
{
    const QString what = isZone(prediction.exchange) ? QStringLiteral("Strefa") : QStringLiteral("Skrót");
    switch (prediction.source) {
    case PredictionSource::Log: return what + QStringLiteral(" z logu");
    case PredictionSource::History: return what + QStringLiteral(" z historii");
    case PredictionSource::Headquarters: return what + QStringLiteral(" z listy HQ");
    case PredictionSource::Country: return what + QStringLiteral(" z cty.dat");
    }
    return {};
}

ExchangePredictor::ExchangePredictor(std::filesystem::path folder, Logbook& logbook, QObject* parent)
    : QObject(parent), folder_(std::move(folder)), logbook_(logbook)
{
    settle_ = new QTimer(this);
    settle_->setSingleShot(true);
    settle_->setInterval(kSettleMs);
    connect(settle_, &QTimer::timeout, this, &ExchangePredictor::readLater);
    watcher_ = new QFileSystemWatcher(this);
    connect(watcher_, &QFileSystemWatcher::directoryChanged, settle_, qOverload<>(&QTimer::start));
    connect(watcher_, &QFileSystemWatcher::fileChanged, settle_, qOverload<>(&QTimer::start));
    watchFiles();
    readLater();
}

void ExchangePredictor::watchFiles()
{
    // A file replaced by rename is no longer watched; the folder's change brings it back.
    QStringList paths{fromPath(folder_)};
    for (const std::string_view name : {kCallHistoryFileName, kMessagesFileName})
        if (std::error_code ec; std::filesystem::is_regular_file(folder_ / name, ec))
            paths << fromPath(folder_ / name);
    const QStringList watched = watcher_->files() + watcher_->directories();
    for (const QString& path : paths)
        if (!watched.contains(path))
            watcher_->addPath(path);
}

void ExchangePredictor::readLater()
{
    if (reading_) {
        readAgain_ = true;
        return;
    }
    watchFiles();
    std::string stamp = contestDataStamp(contestDataFolders(folder_)) + fileStamp(folder_ / kCallHistoryFileName) +
                        fileStamp(folder_ / kMessagesFileName);
    if (read_ && stamp == stamp_)
        return;
    stamp_ = std::move(stamp);
    reading_ = true;
    QThreadPool::globalInstance()->start([self = QPointer(this), folder = folder_] {
        auto read = std::make_shared<Read>();
        try {
            read->history = readCallHistory(folder);
            read->contest = loadContestData(contestDataFolders(folder));
            read->fills = readMessages(folder).book.predictExchange;
        } catch (const std::exception& error) {
            // Out of memory: said in the hint, the predictions go on without the files.
            read->history = {CallHistory(), true, error.what()};
        }
        // Back on the window thread, where the predictor may be gone by then,
        // and the program too when it ended meanwhile.
        QCoreApplication* const application = QCoreApplication::instance();
        if (!application)
            return;
        QMetaObject::invokeMethod(
            application,
            [self, read = std::shared_ptr<const Read>(std::move(read))] {
                if (self)
                    self->take(read);
            },
            Qt::QueuedConnection);
    });
}

void ExchangePredictor::take(std::shared_ptr<const Read> read)
{
    reading_ = false;
    read_ = std::move(read);
    fills_ = read_->fills;
    logbook_.setCallHistory(std::shared_ptr<const CallHistory>(read_, &read_->history.history));
    emit changed();
    if (readAgain_) {
        readAgain_ = false;
        readLater();
    }
}

std::optional<Prediction> ExchangePredictor::predict(std::string_view call) const
{
    const ContestData* contest = read_ ? &read_->contest : nullptr;
    return predictExchange(call, {&logbook_.receivedExchanges(), logbook_.callHistory(),
                                  contest ? &contest->headquarters : &HeadquartersList::builtIn(),
                                  contest && contest->countries ? &*contest->countries : nullptr});
}

QString ExchangePredictor::historySummary() const
{
    const QString file = fromAscii(kCallHistoryFileName);
    if (!read_)
        return QStringLiteral("Historia znaków: wczytywanie…");
    const CallHistoryRead& read = read_->history;
    if (!read.found)
        return QStringLiteral("Historia znaków: brak pliku %1").arg(file);
    if (!read.fault.empty())
        return QStringLiteral("Historia znaków: nie można odczytać %1 (%2)").arg(file, fromCp1250(read.fault));
    const CallHistory& history = read.history;
    if (history.exchangeColumn().empty())
        return QStringLiteral("Historia znaków: w %1 brak wiersza !!Order!! z kolumnami Call i ITUZone, Exch1 "
                              "lub Sect")
            .arg(file);
    QString line = QStringLiteral("Historia znaków: liczba znaków %1, kolumna %2")
                       .arg(history.size())
                       .arg(fromCp1250(history.exchangeColumn()));
    if (history.passedOver() > 0)
        line += QStringLiteral(", pominięte wiersze: %1").arg(history.passedOver());
    if (history.cut())
        line += QStringLiteral(", przeczytano tylko pierwsze %1 MB").arg(kMaxHistoryBytes / (std::size_t{1024} * 1024));
    return line;
}

}  // namespace qz::ui
