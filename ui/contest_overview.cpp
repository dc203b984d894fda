#include "contest_overview.h"

#include "codec.h"
#include "control_setup.h"
#include "exchange_predictor.h"
#include "failure_box.h"
#include "headquarters_grid.h"
#include "log_check_window.h"
#include "logbook.h"
#include "operator_book.h"
#include "overview_placement.h"
#include "overview_texts.h"
#include "rate_chart.h"

#include <QApplication>
#include <QDateTime>
#include <QFontDatabase>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QScreen>
#include <QShortcut>
#include <QTableWidget>
#include <QTimeZone>
#include <QTimer>
#include <QVBoxLayout>
#include <array>

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

}  // namespace

ContestOverview::ContestOverview(StationContext context, Logbook& logbook, QWidget& mainWindow,
                                 std::function<bool()> editorIsEditing, QWidget* parent)
    : QWidget(parent), context_(std::move(context)), logbook_(logbook), mainWindow_(mainWindow),
      editorIsEditing_(std::move(editorIsEditing)), dataFolders_(contestDataFolders(context_.folder))
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
    followLogbook();
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

    Score = createScoreTable();
    ScoreTotal = named(new QLabel(this), "ScoreTotal");
    ScoreTotal->setFont(bold);
    ScoreNotes = named(new QLabel(this), "ScoreNotes");
    ScoreNotes->setWordWrap(true);
    NewMultiplier = named(new QLabel(this), "NewMultiplier");
    ExpectedExchange = named(new QLabel(this), "ExpectedExchange");
    WriteScore = named(new QPushButton(QStringLiteral("Wpisz wynik do nagłówka"), this), "WriteScore");
    WriteScore->setFocusPolicy(Qt::NoFocus);
    CheckLog = named(new QPushButton(QStringLiteral("Sprawdź log"), this), "CheckLog");
    CheckLog->setFocusPolicy(Qt::NoFocus);
    Rate = named(new QLabel(this), "Rate");
    Rate->setWordWrap(true);
    RateChart1 = named(new RateChart(this), "RateChart");
    DataFiles = named(new QLabel(this), "DataFiles");
    DataFiles->setWordWrap(true);
    DataFiles->setToolTip(
        QStringLiteral("Pliki są czytane przy każdym otwarciu okna: F11 zamyka je i otwiera ponownie"));

    layOut();

    chartTimer_ = new QTimer(this);
    chartTimer_->setSingleShot(true);
    chartTimer_->setInterval(0);
    connect(chartTimer_, &QTimer::timeout, this, [this] {
        if (const ContestCount* count = logbook_.contestCount())
            showChart(*count);
    });
    connect(WriteScore, &QPushButton::clicked, this,
            [this] { guarded(context_.platform, [this] { WriteScoreClick(); }); });
    connect(CheckLog, &QPushButton::clicked, this, [this] { guarded(context_.platform, [this] { CheckLogClick(); }); });
}

QTableWidget* ContestOverview::createScoreTable()
{
    const QStringList columns{QStringLiteral("QSO"), QStringLiteral("Powt."), QStringLiteral("Punkty"),
                              QStringLiteral("Strefy"), QStringLiteral("HQ")};
    auto* table =
        named(new QTableWidget(static_cast<int>(kContestBands) + 1, static_cast<int>(columns.size()), this), "Score");
    table->setHorizontalHeaderLabels(columns);
    QStringList rows;
    for (std::size_t band = 0; band < kContestBands; ++band)
        rows << bandName(band);
    rows << QStringLiteral("Razem");
    table->setVerticalHeaderLabels(rows);
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->setFocusPolicy(Qt::NoFocus);
    table->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    for (int row = 0; row < table->rowCount(); ++row)
        for (int column = 0; column < table->columnCount(); ++column) {
            auto* item = new QTableWidgetItem;
            item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            table->setItem(row, column, item);
        }
    // Compact rows, all of them always in sight.
    table->verticalHeader()->setDefaultSectionSize(table->fontMetrics().height() + 6);
    table->setSizeAdjustPolicy(QAbstractScrollArea::AdjustToContents);
    table->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    table->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    table->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    return table;
}

void ContestOverview::layOut()
{
    auto* left = new QVBoxLayout;
    left->addWidget(group(QStringLiteral("Znaki zawierające wpisane litery"), PartialCalls, this), 1);
    left->addWidget(group(QStringLiteral("QZ5KV na pasmach i emisjach"), HeadquartersSlots, this));
    auto* scoreColumn = new QWidget(this);
    auto* scoreLayout = new QVBoxLayout(scoreColumn);
    scoreLayout->setContentsMargins(0, 0, 0, 0);
    for (QWidget* part : std::initializer_list<QWidget*>{Score, ScoreTotal, ScoreNotes, NewMultiplier, ExpectedExchange,
                                                         WriteScore, CheckLog})
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
}

void ContestOverview::followLogbook()
{
    // The logbook counts only for the window in sight: what it does not count
    // is not shown, and is read afresh when the window is shown again.
    connect(&logbook_, &Logbook::counted, this, [this] {
        if (const ContestCount* count = logbook_.contestCount())
            showAll(*count);
    });
    const auto follow = [this] {
        if (const ContestCount* count = logbook_.contestCount())
            qsoStored(*count);
    };
    connect(&logbook_, &Logbook::stored, this, follow);
    connect(&logbook_, &Logbook::arrived, this, follow);
    connect(new QShortcut(QKeySequence(Qt::Key_F11), this), &QShortcut::activated, this, &ContestOverview::toggle);
}

void ContestOverview::showTyped(const TypedQso& typed)
{
    typed_ = typed;
    if (ExpectedExchange)
        showExpectedExchange();
    if (const ContestCount* count = logbook_.contestCount()) {
        showPartials(*count);
        showNewMultiplier(*count);
    }
}

void ContestOverview::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    // Brought back after the window system hid it (minimised): counted and
    // shown afresh. An opening has counted already.
    if (logbook_.contestCount())
        return;
    try {
        count();
    } catch (...) {
        reportCurrentException(context_.platform);
        // Nothing counted: the window closes rather than show an old count.
        QMetaObject::invokeMethod(this, &QWidget::hide, Qt::QueuedConnection);
    }
}

void ContestOverview::hideEvent(QHideEvent* event)
{
    // Closed or minimised, the overview costs the logbook nothing. Qt may
    // still call a minimised window visible.
    logbook_.stopCountingContest();
    QWidget::hideEvent(event);
}

void ContestOverview::toggle()
{
    if (!isVisible() || isMinimized()) {
        guarded(context_.platform, [this] { open(); });
        return;
    }
    const bool wasActive = isActiveWindow();
    hide();
    if (wasActive)
        mainWindow_.activateWindow();
}

void ContestOverview::setDataFolders(std::vector<std::filesystem::path> folders)
{
    dataFolders_ = std::move(folders);
    dataStamp_.reset();
}

std::optional<std::pair<std::shared_ptr<const ContestData>, std::string>> ContestOverview::changedDataFiles() const
{
    std::string stamp = contestDataStamp(dataFolders_);
    if (stamp == dataStamp_)
        return std::nullopt;
    return std::pair(std::make_shared<const ContestData>(loadContestData(dataFolders_)), std::move(stamp));
}

void ContestOverview::count()
{
    if (!PartialCalls)
        createControls();
    if (auto changed = changedDataFiles())
        std::tie(data_, dataStamp_) = std::move(*changed);
    logbook_.countContest(data_);
}

void ContestOverview::open()
{
    count();
    QWidget* const focused = QApplication::focusWidget();
    placeBesideMainWindow();
    setWindowState(windowState() & ~Qt::WindowMinimized);
    show();
    // The operator goes on typing where they were.
    if (focused && !focused->hasFocus()) {
        focused->activateWindow();
        focused->setFocus(Qt::OtherFocusReason);
    }
}

void ContestOverview::placeBesideMainWindow()
{
    const QRect main = mainWindow_.frameGeometry();
    const QScreen* screen = mainWindow_.screen();
    if (!screen) {
        move(main.right() + kGapToMainWindow, main.top());
        return;
    }
    // Before its first showing the window has no frame yet: the window
    // manager will give it the main window's.
    QSize margins = frameGeometry().size() - size();
    if (margins.isNull())
        margins = main.size() - mainWindow_.size();
    const SideBySide placed = placeBeside(main, size() + margins, minimumSizeHint().width() + margins.width(),
                                          screen->availableGeometry(), kGapToMainWindow);
    if (placed.mainWindow != main.topLeft())
        mainWindow_.move(placed.mainWindow);
    resize(placed.overview.size() - margins);
    move(placed.overview.topLeft());
}

void ContestOverview::qsoStored(const ContestCount& count)
{
    HeadquartersSlots->showSlots(count.tally.headquartersSlots());
    showScore(count);
    showRate(count);
    showPartials(count);
    showNewMultiplier(count);
    chartTimer_->start();
}

void ContestOverview::showAll(const ContestCount& count)
{
    OperatorName->setText(QStringLiteral("Operator: %1").arg(fromCp1250(count.tally.op())));
    showDataFiles();
    showExpectedExchange();
    HeadquartersSlots->showSlots(count.tally.headquartersSlots());
    showPartials(count);
    showNewMultiplier(count);
    showScore(count);
    showRate(count);
    showChart(count);
}

void ContestOverview::showDataFiles()
{
    QString text = describeFile(data_->countryFile, dataFolders_) + QLatin1Char('\n') +
                   describeFile(data_->callList, dataFolders_);
    // The additions are optional: only a file that is there is named.
    if (!dataFolders_.empty() && (data_->headquartersFile.used || !data_->headquartersFile.faults.empty()))
        text += QLatin1Char('\n') + describeFile(data_->headquartersFile, {dataFolders_.front()});
    DataFiles->setText(text);
}

void ContestOverview::showPartials(const ContestCount& count)
{
    const WorkedBefore& worked = logbook_.workedBefore();
    const std::string& typed = typed_.call;
    const bool sameOperator = worked.op() == count.tally.op();
    PartialCalls->clear();
    if (typed.empty())
        return;
    for (const std::string& call : partialMatches(typed, data_->calls ? &*data_->calls : nullptr, count.operatorCalls,
                                                  count.loggedCalls, kMostPartials)) {
        const bool dupe = sameOperator && typed_.band && typed_.mode &&
                          worked.verdict(call, typed_.band->key, typed_.mode->letters) == WorkedVerdict::Dupe;
        auto* item = new QListWidgetItem(fromCp1250(call) + (dupe ? QStringLiteral("  powtórka") : QString()));
        if (dupe)
            item->setForeground(kDupeText);
        PartialCalls->addItem(item);
    }
}

void ContestOverview::showExpectedExchange()
{
    if (!typed_.expected) {
        ExpectedExchange->clear();
        return;
    }
    QString source = predictionSourceText(*typed_.expected);
    source[0] = source[0].toLower();
    ExpectedExchange->setText(QStringLiteral("Oczekiwana grupa %1: %2 (%3)")
                                  .arg(fromCp1250(typed_.call), fromCp1250(typed_.expected->exchange), source));
}

void ContestOverview::showNewMultiplier(const ContestCount& count)
{
    const std::size_t band = typed_.band ? contestBandOf(typed_.band->key).value_or(kContestBands) : kContestBands;
    const Exchange exchange = readExchange(typed_.receivedExchange, data_->headquarters);
    if (band >= kContestBands || exchange.kind == ExchangeKind::Unreadable) {
        NewMultiplier->clear();
        return;
    }
    const QString what = exchange.kind == ExchangeKind::Zone
                             ? QStringLiteral("strefa %1").arg(exchange.zone)
                             : QStringLiteral("HQ %1").arg(fromCp1250(exchange.abbreviation));
    if (typed_.verdict == WorkedVerdict::Dupe)
        NewMultiplier->setText(QStringLiteral("Powtórka: %1 nie będzie mnożnikiem").arg(what));
    else if (count.tally.score().isNewMultiplier(band, exchange))
        NewMultiplier->setText(QStringLiteral("Nowy mnożnik na %1: %2").arg(bandName(band), what));
    else
        NewMultiplier->setText(QStringLiteral("%1 jest już mnożnikiem na %2").arg(what, bandName(band)));
}

void ContestOverview::showScore(const ContestCount& count)
{
    const ContestTally& tally = count.tally;
    const ScoreSummary& summary = tally.score().summary();
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
    const OwnZone& own = tally.score().ownZone();
    if (!own.zone && !data_->countries)
        notes << QStringLiteral("Własna strefa nieznana (nie nadawano stałej strefy, brak pliku cty.dat)");
    else if (!own.zone)
        notes << QStringLiteral("Własna strefa nieznana (nie nadawano stałej strefy, znaku %1 nie ma w cty.dat)")
                     .arg(fromCp1250(tally.op()));
    else if (own.source == OwnZoneSource::SentExchange)
        notes << QStringLiteral("Własna strefa %1: nadawana grupa kontrolna").arg(*own.zone);
    else
        notes << QStringLiteral("Własna strefa %1: z cty.dat dla %2 (nadawana grupa nie jest stałą strefą)")
                     .arg(*own.zone)
                     .arg(fromCp1250(tally.op()));
    if (summary.unscored > 0) {
        QString why;
        if (!data_->countries)
            why = QStringLiteral("brak pliku cty.dat");
        else if (!data_->countries->locate(tally.op()))
            why = QStringLiteral("znaku %1 nie ma w cty.dat").arg(fromCp1250(tally.op()));
        else
            why = QStringLiteral("nieznany kontynent korespondenta");
        notes << QStringLiteral("%1 QSO bez punktów (%2)").arg(summary.unscored).arg(why);
    }
    if (summary.unreadableExchanges > 0)
        notes << QStringLiteral("%1 QSO z grupą, która nie jest strefą ani skrótem HQ (bez punktów)")
                     .arg(summary.unreadableExchanges);
    ScoreNotes->setText(notes.join(QStringLiteral("; ")));
}

void ContestOverview::showRate(const ContestCount& count)
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
    const ContestTally& tally = count.tally;
    Rate->setText(describe(fromCp1250(tally.op()), tally.operatorRate()) + QLatin1Char('\n') +
                  describe(QStringLiteral("Stacja"), tally.stationRate()));
}

void ContestOverview::showChart(const ContestCount& count)
{
    const ContestTally& tally = count.tally;
    const QsoRate& station = tally.stationRate();
    const auto first = station.firstMinute();
    const auto last = station.latestMinute();
    RateChart1->showHours(tally.operatorRate().perHour(), first ? std::optional(hourOfMinute(*first)) : std::nullopt,
                          last ? std::optional(hourOfMinute(*last)) : std::nullopt);
}

void ContestOverview::WriteScoreClick()
{
    if (editorIsEditing_()) {
        showError(context_.platform, QStringLiteral("Okno „Nagłówek pliku Cabrillo” jest w trybie edycji.\n"
                                                    "Zapisz w nim zmiany, a potem wpisz wynik do nagłówka."));
        return;
    }
    // The score written is the one in sight, which a closed window does not count.
    const ContestCount* count = logbook_.contestCount();
    if (!count)
        return;
    const ContestTally& tally = count->tally;
    const std::string op = tally.op();
    if (op.empty()) {
        showError(context_.platform, QStringLiteral("Należy wybrać operatora!"));
        return;
    }
    const std::string points = std::to_string(tally.score().summary().score);
    const QString who = fromCp1250(op);
    switch (logbook_.writeClaimedScore(op, points)) {
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
    showInformation(context_.platform,
                    QStringLiteral("Wynik %1 został wpisany do nagłówka operatora %2.").arg(fromAscii(points), who));
}

void ContestOverview::CheckLogClick()
{
    if (!checkWindow_) {
        checkWindow_ = new LogCheckWindow(
            context_, logbook_, [this]() -> const ContestData& { return *data_; }, this);
        connect(checkWindow_, &LogCheckWindow::qsoChosen, this, &ContestOverview::qsoChosen);
    }
    checkWindow_->open();
}

}  // namespace qz::ui
