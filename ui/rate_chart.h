#pragma once
// The operator's QSOs per clock hour (UTC) over the hours of the log, one bar
// per hour stacked by band, so that the operator sees at a glance when and on
// which bands the QSOs came.

#include "qso_rate.h"

#include <QChartView>
#include <array>
#include <cstdint>
#include <map>
#include <optional>

class QBarCategoryAxis;
class QBarSet;
class QValueAxis;

namespace qz::ui {

class RateChart : public QChartView {
    Q_OBJECT
public:
    // The contest lasts 24 hours; of a longer log the latest 24 are drawn,
    // which also keeps every hour's label ("HH") distinct.
    static constexpr std::int64_t kMostHours = 24;

    explicit RateChart(QWidget* parent = nullptr);

    // `perHour` by hours since 1970; the bars run from hour `first` to `last`.
    void showHours(const std::map<std::int64_t, QsoRate::BandCounts>& perHour, std::optional<std::int64_t> first,
                   std::optional<std::int64_t> last);
    // The height of each bar and the hour under it, as drawn, first hour first.
    QList<int> barTotals() const;
    QStringList hourLabels() const;

private:
    std::array<QBarSet*, kContestBands> sets_{};
    QBarCategoryAxis* hours_ = nullptr;
    QValueAxis* counts_ = nullptr;
};

}  // namespace qz::ui
