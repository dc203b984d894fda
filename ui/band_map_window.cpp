#include "band_map_window.h"

#include "codec.h"
#include "contest_score.h"
#include "control_setup.h"
#include "log_line.h"
#include "logbook.h"
#include "operator_book.h"

#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QShortcut>
#include <QTimer>
#include <QVBoxLayout>
#include <algorithm>

namespace qz::ui {
namespace {

// The spot's place in the list: the spot's frequency, kept beside its text.
constexpr int kHertzRole = Qt::UserRole;
constexpr int kCallRole = Qt::UserRole + 1;
constexpr int kModeRole = Qt::UserRole + 2;

QString rowText(const MappedSpot& spot, const SpotMarks& marks, std::chrono::sys_seconds now)
{
    const auto age = std::chrono::duration_cast<std::chrono::minutes>(now - spot.heard).count();
    QString text = QStringLiteral("%1  %2  %3 min")
                       .arg(fromAscii(kilohertzText(spot.spot.hertz)), 9)
                       .arg(fromAscii(spot.spot.call), -13)
                       .arg(std::max<long long>(age, 0), 3);
    if (marks.headquartersNeeded)
        text += QStringLiteral("  brakuje %1").arg(fromAscii(marks.slot));
    if (marks.newMultiplier)
        text += QStringLiteral("  nowy mnożnik");
    if (marks.dupe)
        text += QStringLiteral("  dupe");
    return text;
}

}  // namespace

BandMapWindow::BandMapWindow(StationContext context, const Logbook& logbook, QWidget* parent)
    : QWidget(parent, Qt::Window), context_(std::move(context)), logbook_(logbook)
{
    setObjectName(QStringLiteral("BandMap"));
    setWindowTitle(QStringLiteral("Mapa pasma"));
    resize(360, 480);
    Label1 = named(new QLabel(this), "Label1");
    Label1->setWordWrap(true);
    ListBox1 = named(new QListWidget(this), "ListBox1");
    QFont fixed(QStringLiteral("monospace"));
    fixed.setStyleHint(QFont::TypeWriter);
    ListBox1->setFont(fixed);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Label1);
    layout->addWidget(ListBox1, 1);

    Timer1 = new QTimer(this);
    Timer1->setInterval(1000);
    connect(Timer1, &QTimer::timeout, this, &BandMapWindow::refresh);
    Timer1->start();
    connect(ListBox1, &QListWidget::itemActivated, this,
            [this](QListWidgetItem* item) { pickRow(ListBox1->row(item)); });
    connect(new QShortcut(QKeySequence(Qt::Key_F12), this), &QShortcut::activated, this, &BandMapWindow::toggle);
    // A QSO stored makes a dupe at once.
    connect(&logbook_, &Logbook::stored, this, &BandMapWindow::refresh);
    connect(&logbook_, &Logbook::reloaded, this, &BandMapWindow::refresh);
}

void BandMapWindow::addSpot(const Spot& spot)
{
    map_.add(spot, std::chrono::time_point_cast<std::chrono::seconds>(context_.clock()));
}

void BandMapWindow::showBand(const QString& bandEntry)
{
    int band = -1;
    for (std::size_t i = 0; i < kContestBands; ++i)
        if (fromAscii(bandTable().at(i).entry) == bandEntry)
            band = static_cast<int>(i);
    if (band == band_)
        return;
    band_ = band;
    refresh();
}

void BandMapWindow::showClusterState(const QString& state)
{
    clusterState_ = state;
    refresh();
}

void BandMapWindow::toggle()
{
    if (isVisible()) {
        hide();
        return;
    }
    rebuild();
    show();
    raise();
    activateWindow();
}

void BandMapWindow::pickNext()
{
    rebuild();
    if (ListBox1->count() == 0)
        return;
    pickRow((ListBox1->currentRow() + 1) % ListBox1->count());
}

bool BandMapWindow::spottingAllowed() const
{
    const int current = logbook_.currentIndex();
    const auto& records = logbook_.operators().records();
    if (current < 0 || static_cast<std::size_t>(current) >= records.size())
        return true;
    return qz::spottingAllowed(splitRecord(records[static_cast<std::size_t>(current)])[kCategory]);
}

void BandMapWindow::refresh()
{
    map_.expire(std::chrono::time_point_cast<std::chrono::seconds>(context_.clock()), lifetime_);
    // Hidden, the list waits to be shown; shown, it is written every pass, as the ages move on.
    if (isVisible())
        rebuild();
}

void BandMapWindow::rebuild()
{
    const auto now = std::chrono::time_point_cast<std::chrono::seconds>(context_.clock());
    const int current = ListBox1->currentRow();
    ListBox1->clear();
    if (!spottingAllowed()) {
        Label1->setText(QStringLiteral("Kategoria operatora %1 nie pozwala korzystać ze spotów: mapa ich nie pokazuje.")
                            .arg(fromCp1250(logbook_.currentOperator())));
        return;
    }
    Label1->setText(clusterState_.isEmpty() ? QStringLiteral("Klaster: nie jest czytany") : clusterState_);
    if (band_ < 0)
        return;
    const ContestCount* count = logbook_.contestCount();
    const SpotNeeds needs{&logbook_.headquartersSlots().keys(), &logbook_.workedBefore(),
                          count ? &count->tally.score() : nullptr, count ? count->tally.score().countries() : nullptr};
    std::vector<std::pair<const MappedSpot*, SpotMarks>> rows;
    for (const MappedSpot* spot : map_.onBand(static_cast<std::size_t>(band_)))
        rows.emplace_back(spot, marksOf(*spot, needs));
    std::stable_partition(rows.begin(), rows.end(), [](const auto& row) { return row.second.headquartersNeeded; });
    for (const auto& [spot, marks] : rows) {
        auto* item = new QListWidgetItem(rowText(*spot, marks, now), ListBox1);
        item->setData(kHertzRole, QVariant::fromValue<qlonglong>(spot->spot.hertz));
        item->setData(kCallRole, fromAscii(spot->spot.call));
        item->setData(kModeRole, fromAscii(modeTable().at(spot->mode).entry));
        if (marks.headquartersNeeded) {
            item->setForeground(QColor(Qt::cyan));
            item->setBackground(QColor(Qt::magenta));
            QFont bold = item->font();
            bold.setBold(true);
            item->setFont(bold);
        } else if (marks.dupe) {
            item->setForeground(QColor(Qt::gray));
        }
    }
    ListBox1->setCurrentRow(std::min(current, ListBox1->count() - 1));
}

void BandMapWindow::pickRow(int row)
{
    QListWidgetItem* item = ListBox1->item(row);
    if (!item || band_ < 0)
        return;
    ListBox1->setCurrentRow(row);
    emit picked(item->data(kCallRole).toString(), fromAscii(bandTable().at(static_cast<std::size_t>(band_)).entry),
                item->data(kModeRole).toString(), item->data(kHertzRole).toLongLong());
}

}  // namespace qz::ui
