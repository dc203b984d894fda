#pragma once
// The expected exchange of the call being typed, and the texts that say
// where it came from. The call history, the country file and the
// headquarters list are read on another thread at start and whenever the
// station folder or the history file changes, so a key never waits for a
// file; the log's exchanges are the logbook's index, kept up to date as QSOs
// are stored.

#include "call_history.h"
#include "contest_data.h"
#include "exchange_prediction.h"

#include <QObject>
#include <QString>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

class QFileSystemWatcher;
class QTimer;

namespace qz::ui {

class Logbook;

// "Strefa z logu", "Skrót z listy HQ", ...: what the prediction is and where it came from.
QString predictionSourceText(const Prediction& prediction);

class ExchangePredictor : public QObject {
    Q_OBJECT
public:
    ExchangePredictor(std::filesystem::path folder, Logbook& logbook, QObject* parent);

    std::optional<Prediction> predict(std::string_view call) const;
    // PREDICT=off in the messages file's options turns the filling off.
    bool fillsExchange() const { return fills_; }
    // One line on the call history file for the hint: read, missing, damaged.
    QString historySummary() const;

signals:
    // The files were read (again).
    void changed();

private:
    struct Read;
    void readLater();
    void take(std::shared_ptr<const Read> read);
    void watchFiles();

    std::filesystem::path folder_;
    Logbook& logbook_;
    QFileSystemWatcher* watcher_ = nullptr;
    QTimer* settle_ = nullptr;
    // What the files were when last read: a store in the folder changes nothing of them.
    std::string stamp_;
    bool reading_ = false;
    bool readAgain_ = false;
    std::shared_ptr<const Read> read_;
    bool fills_ = true;
};

}  // namespace qz::ui
