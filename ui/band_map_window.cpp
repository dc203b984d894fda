#include "band_map_window.h"

#include "band_map_model.h"
#include "codec.h"
#include "contest_score.h"
#include "control_setup.h"
#include "log_line.h"
#include "logbook.h"
#include "operator_book.h"

#include <QKeyEvent>
#include <QLabel>
#include <QListView>
#include <QShortcut>
#include <QTimer>
#include <QVBoxLayout>
#include <algorithm>

namespace qz::ui {

BandMapWindow::BandMapWindow(StationContext context, const Logbook& logbook, QWidget* parent)
    : QWidget(parent, Qt::Window), context_(std::move(context)), logbook_(logbook)
{
    setObjectName(QStringLiteral("BandMap"));
    setWindowTitle(QStringLiteral("Mapa pasma"));
    resize(360, 480);
    Label1 = named(new QLabel(this), "Label1");
    Label1->setWordWrap(true);
    ListBox1 = named(new QListView(this), "ListBox1");
    model_ = new BandMapModel(this);
    ListBox1->setModel(model_);
    QFont fixed(QStringLiteral("monospace"));
    fixed.setStyleHint(QFont::TypeWriter);
    ListBox1->setFont(fixed);
    // Rows of one height are laid out without measuring each of thousands.
    ListBox1->setUniformItemSizes(true);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Label1);
    layout->addWidget(ListBox1, 1);

    Timer1 = new QTimer(this);
    Timer1->setInterval(1000);
    connect(Timer1, &QTimer::timeout, this, &BandMapWindow::refresh);
    Timer1->start();
    connect(ListBox1, &QListView::activated, this, [this](const QModelIndex& index) { pickRow(index.row()); });
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
    if (model_->rowCount() == 0)
        return;
    pickRow((ListBox1->currentIndex().row() + 1) % model_->rowCount());
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
    const int current = ListBox1->currentIndex().row();
    std::vector<SpotRow> rows;
    if (!spottingAllowed()) {
        Label1->setText(QStringLiteral("Kategoria operatora %1 nie pozwala korzystać ze spotów: mapa ich nie pokazuje.")
                            .arg(fromCp1250(logbook_.currentOperator())));
    } else {
        Label1->setText(clusterState_.isEmpty() ? QStringLiteral("Klaster: nie jest czytany") : clusterState_);
        if (band_ >= 0) {
            const ContestCount* count = logbook_.contestCount();
            const SpotNeeds needs{&logbook_.headquartersSlots().keys(), &logbook_.workedBefore(),
                                  count ? &count->tally.score() : nullptr,
                                  count ? count->tally.score().countries() : nullptr};
            for (const MappedSpot* spot : map_.onBand(static_cast<std::size_t>(band_)))
                rows.push_back({*spot, marksOf(*spot, needs)});
            std::stable_partition(rows.begin(), rows.end(),
                                  [](const SpotRow& row) { return row.marks.headquartersNeeded; });
        }
    }
    model_->setRows(std::move(rows), now);
    if (current >= 0 && model_->rowCount() > 0)
        ListBox1->setCurrentIndex(model_->index(std::min(current, model_->rowCount() - 1)));
}

void BandMapWindow::pickRow(int position)
{
    if (position < 0 || position >= model_->rowCount() || band_ < 0)
        return;
    ListBox1->setCurrentIndex(model_->index(position));
    const MappedSpot& spot = model_->row(position).spot;
    emit picked(fromAscii(spot.spot.call), fromAscii(bandTable().at(spot.band).entry),
                fromAscii(modeTable().at(spot.mode).entry), spot.spot.hertz);
}

}  // namespace qz::ui
