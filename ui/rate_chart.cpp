#include "rate_chart.h"

#include "codec.h"
#include "log_line.h"

#include <QBarCategoryAxis>
#include <QBarSet>
#include <QDateTime>
#include <QStackedBarSeries>
#include <QTimeZone>
#include <QValueAxis>
#include <algorithm>

namespace qz::ui {
namespace {

constexpr std::int64_t kSecondsPerHour = 3600;

QDateTime startOfHour(std::int64_t hour)
{
    return QDateTime::fromSecsSinceEpoch(hour * kSecondsPerHour, QTimeZone::utc());
}

}  // namespace

RateChart::RateChart(QWidget* parent) : QChartView(parent)
{
    auto* chart = new QChart;
    chart->setTitle(QStringLiteral("QSO na godzinę"));
    chart->legend()->setAlignment(Qt::AlignBottom);
    chart->setAnimationOptions(QChart::NoAnimation);
    auto* series = new QStackedBarSeries(chart);
    for (std::size_t band = 0; band < kContestBands; ++band) {
        const std::string_view name = bandTable()[band].entry;
        sets_[band] = new QBarSet(fromAscii(name), series);
        series->append(sets_[band]);
    }
    chart->addSeries(series);
    hours_ = new QBarCategoryAxis(chart);
    hours_->setTitleText(QStringLiteral("Godzina UTC"));
    // Twenty-four hours side by side: small labels, never shortened to "...".
    QFont small = hours_->labelsFont();
    small.setPointSize(7);
    hours_->setLabelsFont(small);
    hours_->setTruncateLabels(false);
    counts_ = new QValueAxis(chart);
    counts_->setLabelFormat(QStringLiteral("%d"));
    chart->addAxis(hours_, Qt::AlignBottom);
    chart->addAxis(counts_, Qt::AlignLeft);
    series->attachAxis(hours_);
    series->attachAxis(counts_);
    setChart(chart);
    setRenderHint(QPainter::Antialiasing);
    chart->setMargins(QMargins(2, 2, 2, 2));
    setMinimumHeight(200);
}

void RateChart::showHours(const std::map<std::int64_t, QsoRate::BandCounts>& perHour, std::optional<std::int64_t> first,
                          std::optional<std::int64_t> last)
{
    QStringList labels;
    std::array<QList<qreal>, kContestBands> values;
    int highest = 1;
    if (first && last) {
        for (std::int64_t hour = std::max(*first, *last - kMostHours + 1); hour <= *last; ++hour) {
            labels << startOfHour(hour).toString(QStringLiteral("HH"));
            const auto found = perHour.find(hour);
            int total = 0;
            for (std::size_t band = 0; band < kContestBands; ++band) {
                const int count = found == perHour.end() ? 0 : found->second[band];
                values[band] << count;
                total += count;
            }
            highest = std::max(highest, total);
        }
        chart()->setTitle(QStringLiteral("QSO na godzinę od %1 UTC")
                              .arg(startOfHour(std::max(*first, *last - kMostHours + 1))
                                       .toString(QStringLiteral("yyyy-MM-dd HH:mm"))));
    }
    hours_->clear();
    hours_->append(labels);
    for (std::size_t band = 0; band < kContestBands; ++band) {
        sets_[band]->remove(0, sets_[band]->count());
        sets_[band]->append(values[band]);
    }
    // Whole numbers only on the count axis, about five of them.
    counts_->setRange(0, highest);
    counts_->setTickType(QValueAxis::TicksDynamic);
    counts_->setTickAnchor(0);
    counts_->setTickInterval(std::max(1, (highest + 4) / 5));
}

QList<int> RateChart::barTotals() const
{
    QList<int> totals(sets_[0]->count(), 0);
    for (const QBarSet* set : sets_)
        for (int i = 0; i < set->count() && i < totals.size(); ++i)
            totals[i] += static_cast<int>(set->at(i));
    return totals;
}

QStringList RateChart::hourLabels() const { return hours_->categories(); }

}  // namespace qz::ui
