#pragma once
// The operator's QSOs per clock hour (UTC) over the hours of the log, one bar
// per hour stacked by band, so that the operator sees at a glance when and on
// which bands the QSOs came. Drawn by the widget itself: the program then
// needs only Qt's base modules, which is all a Windows build from Debian's
// sources has.

#include "qso_rate.h"

#include <QStringList>
#include <QWidget>
#include <cstdint>
#include <map>
#include <optional>
#include <vector>

namespace qz::ui {

class RateChart : public QWidget {
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
    QString title() const { return title_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QString title_;
    QStringList hours_;
    std::vector<QsoRate::BandCounts> bars_;
    int highest_ = 1;
};

}  // namespace qz::ui
