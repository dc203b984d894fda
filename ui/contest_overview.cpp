#include "contest_overview.h"

#include "codec.h"
#include "combo_lists.h"
#include "control_setup.h"
#include "failure_box.h"
#include "headquarters_grid.h"
#include "log_check_window.h"
#include "log_file.h"
#include "log_line.h"
#include "log_snapshot.h"
#include "operator_book.h"
#include "rate_chart.h"
#include "text.h"
#include "unit1.h"
#include "worked_before_marker.h"

#include <QApplication>
#include <QComboBox>
#include <QDateTime>
#include <QFontDatabase>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QScreen>
#include <QShortcut>
#include <QTableWidget>
#include <QTimeZone>
#include <QTimer>
#include <QVBoxLayout>
#include <algorithm>
#include <future>

namespace qz::ui {
namespace {

constexpr std::size_t kMostPartials = 30;
constexpr int kGapToMainWindow = 8;
const QColor kDupeText(200, 0, 0);

QGroupBox* group(const QString& title, QWidget* content, QWidget* parent)
{
    content->setAccessibleName(title);
    auto* box = new QGroupBox(title, parent);
    auto* layout = new QVBoxLayout(box);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addWidget(content);
    return box;
}

QString bandName(std::size_t band) { return fromAscii(bandTable()[band].entry); }

QString describeFile(const DataFileReport& report, const std::vector<std::filesystem::path>& folders)
{
    const QString name = QString::fromStdString(report.name);
    QStringList parts;
    if (report.used) {
        QString line = QStringLiteral("%1: %2").arg(name, fromPath(*report.used));
        if (report.skipped > 0)
            line += QStringLiteral(" (pominięto %1 nieczytelnych wpisów)").arg(report.skipped);
        parts << line;
    } else {
        QStringList searched;
        for (const auto& folder : folders)
            searched << fromPath(folder);
        parts << QStringLiteral("Brak pliku %1 (szukano w: %2)").arg(name, searched.join(QStringLiteral(", ")));
    }
    for (const DataFileFault& fault : report.faults) {
        const QString path = fromPath(fault.path);
        switch (fault.fault) {
        case DataFault::Unreadable:
            parts << QStringLiteral("nie można odczytać %1: %2").arg(path, QString::fromStdString(fault.detail));
            break;
        case DataFault::TooLarge: parts << QStringLiteral("plik %1 jest za duży, pominięty").arg(path); break;
        case DataFault::NothingUsable: parts << QStringLiteral("plik %1 jest uszkodzony, pominięty").arg(path); break;
        }
    }
    return parts.join(QStringLiteral("; "));
}

// The callsigns of both lists that contain the letters, the exact one first,
// the rest in sorted order, each once.
std::vector<std::string> partialMatches(const std::string& typed, const CallList* published, const CallList& logged)
{
    std::vector<std::string> fromLog = logged.containing(typed, kMostPartials);
    std::vector<std::string> fromList =
        published ? published->containing(typed, kMostPartials) : std::vector<std::string>();
    std::vector<std::string> merged;
    std::set_union(fromList.begin(), fromList.end(), fromLog.begin(), fromLog.end(), std::back_inserter(merged));
    const auto exact = std::find(merged.begin(), merged.end(), typed);
    if (exact == merged.end() && (logged.contains(typed) || (published && published->contains(typed))))
        merged.insert(merged.begin(), typed);
    else if (exact != merged.end())
        std::rotate(merged.begin(), exact, exact + 1);
    if (merged.size() > kMostPartials)
        merged.resize(kMostPartials);
    return merged;
}

}  // namespace

ContestOverview::ContestOverview(StationContext context, TForm1& form1, std::function<bool()> editorIsEditing,
                                 QWidget* parent)
    : QWidget(parent), context_(std::move(context)), form1_(form1), editorIsEditing_(std::move(editorIsEditing)),
      dataFolders_(contestDataFolders(context_.folder))
{
    setObjectName(QStringLiteral("ContestOverview"));
    setWindowTitle(QStringLiteral("Przegląd zawodów"));
    // Closing it only hides it; it appears without taking the keyboard from
    // the main window, where the operator is typing.
    setAttribute(Qt::WA_QuitOnClose, false);
    setAttribute(Qt::WA_ShowWithoutActivating);
    QFont font = this->font();
    font.setPointSize(8);
    setFont(font);
    connectToMainWindow();
}

void ContestOverview::createControls()
{
    OperatorName = named(new QLabel(this), "OperatorName");
    QFont bold = OperatorName->font();
    bold.setBold(true);
    OperatorName->setFont(bold);

    PartialCalls = named(new QListWidget(this), "PartialCalls");
    PartialCalls->setUniformItemSizes(true);
    PartialCalls->setFocusPolicy(Qt::NoFocus);
    PartialCalls->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    HeadquartersSlots = named(new HeadquartersGrid(this), "HeadquartersSlots");

    const QStringList columns{QStringLiteral("QSO"), QStringLiteral("Powt."), QStringLiteral("Punkty"),
                              QStringLiteral("Strefy"), QStringLiteral("HQ")};
    Score =
        named(new QTableWidget(static_cast<int>(kContestBands) + 1, static_cast<int>(columns.size()), this), "Score");
    Score->setHorizontalHeaderLabels(columns);
    QStringList rows;
    for (std::size_t band = 0; band < kContestBands; ++band)
        rows << bandName(band);
    rows << QStringLiteral("Razem");
    Score->setVerticalHeaderLabels(rows);
    Score->setEditTriggers(QAbstractItemView::NoEditTriggers);
    Score->setFocusPolicy(Qt::NoFocus);
    Score->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    for (int row = 0; row < Score->rowCount(); ++row)
        for (int column = 0; column < Score->columnCount(); ++column) {
            auto* item = new QTableWidgetItem;
            item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            Score->setItem(row, column, item);
        }
    // Compact rows, all of them always in sight.
    Score->verticalHeader()->setDefaultSectionSize(Score->fontMetrics().height() + 6);
    Score->setSizeAdjustPolicy(QAbstractScrollArea::AdjustToContents);
    Score->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    Score->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    Score->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    ScoreTotal = named(new QLabel(this), "ScoreTotal");
    ScoreTotal->setFont(bold);
    ScoreNotes = named(new QLabel(this), "ScoreNotes");
    ScoreNotes->setWordWrap(true);
    NewMultiplier = named(new QLabel(this), "NewMultiplier");
    WriteScore = named(new QPushButton(QStringLiteral("Wpisz wynik do nagłówka"), this), "WriteScore");
    WriteScore->setFocusPolicy(Qt::NoFocus);
    CheckLog = named(new QPushButton(QStringLiteral("Sprawdź log"), this), "CheckLog");
    CheckLog->setFocusPolicy(Qt::NoFocus);
    Rate = named(new QLabel(this), "Rate");
    Rate->setWordWrap(true);
    RateChart1 = named(new RateChart(this), "RateChart");
    DataFiles = named(new QLabel(this), "DataFiles");
    DataFiles->setWordWrap(true);

    auto* left = new QVBoxLayout;
    left->addWidget(group(QStringLiteral("Znaki zawierające wpisane litery"), PartialCalls, this), 1);
    left->addWidget(group(QStringLiteral("QZ5KV na pasmach i emisjach"), HeadquartersSlots, this));
    auto* scoreColumn = new QWidget(this);
    auto* scoreLayout = new QVBoxLayout(scoreColumn);
    scoreLayout->setContentsMargins(0, 0, 0, 0);
    for (QWidget* part :
         std::initializer_list<QWidget*>{Score, ScoreTotal, ScoreNotes, NewMultiplier, WriteScore, CheckLog})
        scoreLayout->addWidget(part);
    auto* rateColumn = new QWidget(this);
    auto* rateLayout = new QVBoxLayout(rateColumn);
    rateLayout->setContentsMargins(0, 0, 0, 0);
    rateLayout->addWidget(Rate);
    rateLayout->addWidget(RateChart1, 1);
    auto* right = new QVBoxLayout;
    right->addWidget(group(QStringLiteral("Wynik IARU HF"), scoreColumn, this));
    right->addWidget(group(QStringLiteral("Tempo"), rateColumn, this), 1);
    auto* columnsLayout = new QHBoxLayout;
    columnsLayout->addLayout(left, 1);
    columnsLayout->addLayout(right, 2);
    auto* window = new QVBoxLayout(this);
    window->addWidget(OperatorName);
    window->addLayout(columnsLayout, 1);
    window->addWidget(DataFiles);
    resize(600, 700);

    chartTimer_ = new QTimer(this);
    chartTimer_->setSingleShot(true);
    chartTimer_->setInterval(0);
    connect(chartTimer_, &QTimer::timeout, this, &ContestOverview::showChart);
    connect(WriteScore, &QPushButton::clicked, this,
            [this] { guarded(context_.platform, [this] { WriteScoreClick(); }); });
    connect(CheckLog, &QPushButton::clicked, this, [this] { guarded(context_.platform, [this] { CheckLogClick(); }); });
}

void ContestOverview::connectToMainWindow()
{
    const WorkedBeforeMarker& marker = form1_.workedBeforeMarker();
    connect(&marker, &WorkedBeforeMarker::changed, this, [this] {
        if (!isVisible())
            return;
        showPartials();
        showNewMultiplier();
    });
    connect(form1_.Edit6, &QLineEdit::textChanged, this, [this] {
        if (isVisible())
            showNewMultiplier();
    });
    connect(&form1_, &TForm1::operatorLinesRead, this, &ContestOverview::viewReloaded);
    connect(&form1_, &TForm1::qsoStored, this, &ContestOverview::qsoStored);
    connect(&form1_, &TForm1::qsoDeleted, this, &ContestOverview::qsoDeleted);
    connect(form1_.ComboBox3, &QComboBox::currentIndexChanged, this, &ContestOverview::followOperator);
    connect(new QShortcut(QKeySequence(Qt::Key_F2), this), &QShortcut::activated, this, &ContestOverview::toggle);
}

void ContestOverview::toggle()
{
    if (!isVisible()) {
        guarded(context_.platform, [this] { open(); });
        return;
    }
    const bool wasActive = isActiveWindow();
    hide();
    if (wasActive)
        form1_.activateWindow();
}

void ContestOverview::setDataFolders(std::vector<std::filesystem::path> folders)
{
    dataFolders_ = std::move(folders);
    dataStamp_.reset();
}

std::optional<std::pair<ContestData, std::string>> ContestOverview::changedDataFiles() const
{
    std::string stamp = contestDataStamp(dataFolders_);
    if (stamp == dataStamp_)
        return std::nullopt;
    return std::pair(loadContestData(dataFolders_), std::move(stamp));
}

void ContestOverview::open()
{
    if (!PartialCalls)
        createControls();
    // The log is read on the second core while the data files are; nothing
    // counted before changes until both are read.
    auto log = std::async(std::launch::async, [folder = context_.folder] { return LogFile(folder).snapshot(); });
    auto changed = changedDataFiles();
    keepLog(log.get());
    if (changed)
        std::tie(data_, dataStamp_) = std::move(*changed);
    rebuild();
    QWidget* const focused = QApplication::focusWidget();
    placeBesideMainWindow();
    show();
    showAll();
    // The operator goes on typing where they were.
    if (focused && !focused->hasFocus()) {
        focused->activateWindow();
        focused->setFocus(Qt::OtherFocusReason);
    }
}

void ContestOverview::placeBesideMainWindow()
{
    const QRect main = form1_.frameGeometry();
    const QScreen* screen = form1_.screen();
    if (!screen) {
        move(main.right() + kGapToMainWindow, main.top());
        return;
    }
    const QRect room = screen->availableGeometry();
    const QSize frame = frameGeometry().size();
    // Right of the main window, else left of it, else as far right as the
    // screen allows, covering as little of the main window as it can; level
    // with the main window as far as the screen's height lets it.
    int left = main.right() + kGapToMainWindow;
    if (left + frame.width() > room.right()) {
        const int leftOfMain = main.left() - kGapToMainWindow - frame.width();
        left = leftOfMain >= room.left() ? leftOfMain : std::max(room.left(), room.right() - frame.width());
    }
    const int top = std::max(room.top(), std::min(main.top(), room.bottom() - frame.height()));
    move(left, top);
}

void ContestOverview::rebuild()
{
    // The score is counted on the second core while the callsigns are gathered.
    auto tally = std::async(std::launch::async, [this, op = form1_.currentOperator()] {
        return ContestTally(lines_, data_.countries ? &*data_.countries : nullptr, data_.headquarters, op);
    });
    std::vector<std::string> calls;
    calls.reserve(lines_.size());
    for (const std::string_view line : lines_)
        calls.push_back(callOf(line));
    logCalls_ = CallList(std::vector<std::string_view>(calls.begin(), calls.end()));
    tally_ = tally.get();
}

void ContestOverview::keepLog(std::shared_ptr<const LogSnapshot> log)
{
    snapshot_ = std::move(log);
    stored_.clear();
    lines_ = snapshot_->lines();
}

void ContestOverview::viewReloaded()
{
    // The main window read only its operator's lines; a correction may have
    // changed any line, so the whole log is read again.
    if (!isVisible())
        return;
    guarded(context_.platform, [this] {
        keepLog(LogFile(context_.folder).snapshot());
        rebuild();
        showAll();
    });
}

void ContestOverview::qsoStored(const std::string& line)
{
    if (!isVisible())
        return;
    stored_.push_back(line);
    lines_.push_back(stored_.back());
    tally_.add(line);
    logCalls_.insert(callOf(line));
    HeadquartersSlots->showSlots(tally_.headquartersSlots());
    showScore();
    showRate();
    showPartials();
    showNewMultiplier();
    chartTimer_->start();
}

void ContestOverview::qsoDeleted(const std::string& line)
{
    if (!isVisible())
        return;
    std::erase(lines_, std::string_view(line));
    rebuild();
    showAll();
}

void ContestOverview::followOperator()
{
    // A new operator normally comes with a view reload that brings the log
    // along; the log kept here serves when the list was changed without one.
    QTimer::singleShot(0, this, [this] {
        if (!isVisible() || tally_.op() == form1_.currentOperator())
            return;
        rebuild();
        showAll();
    });
}

void ContestOverview::showAll()
{
    OperatorName->setText(QStringLiteral("Operator: %1").arg(fromCp1250(tally_.op())));
    showDataFiles();
    HeadquartersSlots->showSlots(tally_.headquartersSlots());
    showPartials();
    showNewMultiplier();
    showScore();
    showRate();
    showChart();
}

void ContestOverview::showDataFiles()
{
    QString text =
        describeFile(data_.countryFile, dataFolders_) + QLatin1Char('\n') + describeFile(data_.callList, dataFolders_);
    // The additions are optional: only a file that is there is named.
    if (!dataFolders_.empty() && (data_.headquartersFile.used || !data_.headquartersFile.faults.empty()))
        text += QLatin1Char('\n') + describeFile(data_.headquartersFile, {dataFolders_.front()});
    DataFiles->setText(text);
}

void ContestOverview::showPartials()
{
    const WorkedBeforeMarker& marker = form1_.workedBeforeMarker();
    const std::string typed = marker.typedCall();
    const auto band = selectedBandKey(form1_);
    const auto mode = selectedModeLetters(form1_);
    const bool sameOperator = marker.index().op() == tally_.op();
    PartialCalls->clear();
    if (typed.empty())
        return;
    for (const std::string& call : partialMatches(typed, data_.calls ? &*data_.calls : nullptr, logCalls_)) {
        const bool dupe =
            sameOperator && band && mode && marker.index().verdict(call, *band, *mode) == WorkedVerdict::Dupe;
        auto* item = new QListWidgetItem(fromCp1250(call) + (dupe ? QStringLiteral("  powtórka") : QString()));
        if (dupe)
            item->setForeground(kDupeText);
        PartialCalls->addItem(item);
    }
}

void ContestOverview::showNewMultiplier()
{
    const auto bandKey = selectedBandKey(form1_);
    const std::size_t band = bandKey ? contestBandOf(*bandKey).value_or(kContestBands) : kContestBands;
    const Exchange exchange =
        readExchange(storedReceivedExchangeOf(toCp1250(form1_.Edit6->text())), data_.headquarters);
    if (band >= kContestBands || exchange.kind == ExchangeKind::Unreadable) {
        NewMultiplier->clear();
        return;
    }
    const QString what = exchange.kind == ExchangeKind::Zone
                             ? QStringLiteral("strefa %1").arg(exchange.zone)
                             : QStringLiteral("HQ %1").arg(fromCp1250(exchange.abbreviation));
    if (form1_.workedBeforeMarker().verdict() == WorkedVerdict::Dupe)
        NewMultiplier->setText(QStringLiteral("Powtórka: %1 nie będzie mnożnikiem").arg(what));
    else if (tally_.score().isNewMultiplier(band, exchange))
        NewMultiplier->setText(QStringLiteral("Nowy mnożnik na %1: %2").arg(bandName(band), what));
    else
        NewMultiplier->setText(QStringLiteral("%1 jest już mnożnikiem na %2").arg(what, bandName(band)));
}

void ContestOverview::showScore()
{
    const ScoreSummary& summary = tally_.score().summary();
    const auto showRow = [this](int row, const BandScore& s) {
        const std::array<qint64, 5> values{s.qsos, s.dupes, s.points, s.zones, s.headquarters};
        for (std::size_t column = 0; column < values.size(); ++column)
            Score->item(row, static_cast<int>(column))->setText(QString::number(values[column]));
    };
    for (std::size_t band = 0; band < kContestBands; ++band)
        showRow(static_cast<int>(band), summary.bands[band]);
    showRow(static_cast<int>(kContestBands), summary.total);
    ScoreTotal->setText(QStringLiteral("Punkty %1 × mnożniki %2 = wynik %3")
                            .arg(summary.total.points)
                            .arg(summary.multipliers)
                            .arg(summary.score));

    QStringList notes;
    const OwnZone& own = tally_.score().ownZone();
    if (!own.zone && !data_.countries)
        notes << QStringLiteral("Własna strefa nieznana (nie nadawano stałej strefy, brak pliku cty.dat)");
    else if (!own.zone)
        notes << QStringLiteral("Własna strefa nieznana (nie nadawano stałej strefy, znaku %1 nie ma w cty.dat)")
                     .arg(fromCp1250(tally_.op()));
    else if (own.source == OwnZoneSource::SentExchange)
        notes << QStringLiteral("Własna strefa %1: nadawana grupa kontrolna").arg(*own.zone);
    else
        notes << QStringLiteral("Własna strefa %1: z cty.dat dla %2 (nadawana grupa nie jest stałą strefą)")
                     .arg(*own.zone)
                     .arg(fromCp1250(tally_.op()));
    if (summary.unscored > 0) {
        QString why;
        if (!data_.countries)
            why = QStringLiteral("brak pliku cty.dat");
        else if (!data_.countries->locate(tally_.op()))
            why = QStringLiteral("znaku %1 nie ma w cty.dat").arg(fromCp1250(tally_.op()));
        else
            why = QStringLiteral("nieznany kontynent korespondenta");
        notes << QStringLiteral("%1 QSO bez punktów (%2)").arg(summary.unscored).arg(why);
    }
    if (summary.unreadableExchanges > 0)
        notes << QStringLiteral("%1 QSO z grupą, która nie jest strefą ani skrótem HQ (bez punktów)")
                     .arg(summary.unreadableExchanges);
    ScoreNotes->setText(notes.join(QStringLiteral("; ")));
}

void ContestOverview::showRate()
{
    const auto describe = [](const QString& who, const QsoRate& rate) {
        const auto latest = rate.latestMinute();
        if (!latest)
            return QStringLiteral("%1: brak QSO").arg(who);
        const int lastTen = rate.inLast(10);
        const int lastHour = rate.inLast(60);
        const QString until =
            QDateTime::fromSecsSinceEpoch(*latest * 60, QTimeZone::utc()).toString(QStringLiteral("HH:mm"));
        return QStringLiteral("%1: %2 QSO w 10 min (%3/h), %4 QSO w 60 min (%4/h) do %5 UTC")
            .arg(who)
            .arg(lastTen)
            .arg(lastTen * 6)
            .arg(lastHour)
            .arg(until);
    };
    Rate->setText(describe(fromCp1250(tally_.op()), tally_.operatorRate()) + QLatin1Char('\n') +
                  describe(QStringLiteral("Stacja"), tally_.stationRate()));
}

void ContestOverview::showChart()
{
    const QsoRate& station = tally_.stationRate();
    const auto first = station.firstMinute();
    const auto last = station.latestMinute();
    RateChart1->showHours(tally_.operatorRate().perHour(), first ? std::optional(hourOfMinute(*first)) : std::nullopt,
                          last ? std::optional(hourOfMinute(*last)) : std::nullopt);
}

void ContestOverview::WriteScoreClick()
{
    if (editorIsEditing_()) {
        showError(context_.platform, QStringLiteral("Okno „Nagłówek pliku Cabrillo” jest w trybie edycji.\n"
                                                    "Zapisz w nim zmiany, a potem wpisz wynik do nagłówka."));
        return;
    }
    const std::string op = tally_.op();
    if (op.empty()) {
        showError(context_.platform, QStringLiteral("Należy wybrać operatora!"));
        return;
    }
    const std::string points = std::to_string(tally_.score().summary().score);
    const QString who = fromCp1250(op);
    switch (writeClaimedScore(context_.folder, op, points)) {
    case ClaimedScoreResult::Written: break;
    case ClaimedScoreResult::NoFile:
    case ClaimedScoreResult::NoRecord:
        showError(context_.platform, QStringLiteral("Operator %1 nie ma rekordu w pliku QZ5KV_stationbook.ini.\n"
                                                    "Dodaj go w oknie „Zarządzanie operatorami”, a potem wpisz wynik.")
                                         .arg(who));
        return;
    case ClaimedScoreResult::RecordTooShort:
        showError(context_.platform,
                  QStringLiteral("Rekord operatora %1 w pliku QZ5KV_stationbook.ini ma za mało pól,\n"
                                 "by wpisać do niego wynik. Zapisz go w oknie „Zarządzanie operatorami”.")
                      .arg(who));
        return;
    }
    emit claimedScoreWritten(op);
    showInformation(
        context_.platform,
        QStringLiteral("Wynik %1 został wpisany do nagłówka operatora %2.").arg(QString::fromStdString(points), who));
}

void ContestOverview::CheckLogClick()
{
    if (!checkWindow_)
        checkWindow_ = new LogCheckWindow(
            context_, form1_, [this]() -> const ContestData& { return data_; }, this);
    checkWindow_->open();
}

}  // namespace qz::ui
