#include "rate_chart.h"

#include "codec.h"
#include "log_line.h"

#include <QDateTime>
#include <QPainter>
#include <QTimeZone>
#include <algorithm>
#include <array>

namespace qz::ui {
namespace {

constexpr std::int64_t kSecondsPerHour = 3600;
constexpr int kMargin = 4;
// One colour per band, in the band list's order (160 m first).
constexpr std::array<QRgb, kContestBands> kBandColours{0x209fdf, 0x99ca53, 0xf6a625, 0x6d5fd5, 0xbf593e, 0x3d9d8f};

QDateTime startOfHour(std::int64_t hour)
{
    return QDateTime::fromSecsSinceEpoch(hour * kSecondsPerHour, QTimeZone::utc());
}

// Whole numbers only on the count axis, about five of them.
int tickStep(int highest) { return std::max(1, (highest + 4) / 5); }

// The legend under the chart: a square in the band's colour and its name.
int drawLegend(QPainter& painter, const QRect& area)
{
    const QFontMetrics metrics = painter.fontMetrics();
    const int square = metrics.ascent() - 2;
    const int gap = metrics.horizontalAdvance(QLatin1Char(' '));
    int width = 0;
    for (std::size_t band = 0; band < kContestBands; ++band)
        width += square + gap + metrics.horizontalAdvance(fromAscii(bandTable()[band].entry)) + 2 * gap;
    int x = area.left() + std::max(0, (area.width() - width) / 2);
    const int y = area.bottom() - metrics.height();
    for (std::size_t band = 0; band < kContestBands; ++band) {
        const QString name = fromAscii(bandTable()[band].entry);
        painter.fillRect(x, y + (metrics.height() - square) / 2, square, square, QColor(kBandColours[band]));
        x += square + gap;
        painter.drawText(x, y + metrics.ascent(), name);
        x += metrics.horizontalAdvance(name) + 2 * gap;
    }
    return metrics.height();
}

}  // namespace

RateChart::RateChart(QWidget* parent) : QWidget(parent), title_(QStringLiteral("QSO na godzinę"))
{
    setMinimumHeight(200);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
}

void RateChart::showHours(const std::map<std::int64_t, QsoRate::BandCounts>& perHour, std::optional<std::int64_t> first,
                          std::optional<std::int64_t> last)
{
    hours_.clear();
    bars_.clear();
    highest_ = 1;
    if (first && last) {
        const std::int64_t from = std::max(*first, *last - kMostHours + 1);
        for (std::int64_t hour = from; hour <= *last; ++hour) {
            hours_ << startOfHour(hour).toString(QStringLiteral("HH"));
            const auto found = perHour.find(hour);
            bars_.push_back(found == perHour.end() ? QsoRate::BandCounts{} : found->second);
        }
        title_ = QStringLiteral("QSO na godzinę od %1 UTC")
                     .arg(startOfHour(from).toString(QStringLiteral("yyyy-MM-dd HH:mm")));
    }
    for (const int total : barTotals())
        highest_ = std::max(highest_, total);
    update();
}

QList<int> RateChart::barTotals() const
{
    QList<int> totals;
    for (const QsoRate::BandCounts& bar : bars_) {
        int total = 0;
        for (const int count : bar)
            total += count;
        totals << total;
    }
    return totals;
}

QStringList RateChart::hourLabels() const { return hours_; }

void RateChart::paintEvent(QPaintEvent* /*event*/)
{
    QPainter painter(this);
    painter.fillRect(rect(), palette().base());
    painter.setPen(palette().text().color());
    QRect area = rect().adjusted(kMargin, kMargin, -kMargin, -kMargin);

    QFont bold = font();
    bold.setBold(true);
    painter.setFont(bold);
    const int titleHeight = painter.fontMetrics().height();
    painter.drawText(QRect(area.left(), area.top(), area.width(), titleHeight), Qt::AlignCenter, title_);
    painter.setFont(font());
    const int legendHeight = drawLegend(painter, area);
    const int lineHeight = painter.fontMetrics().height();
    area.setBottom(area.bottom() - legendHeight - 2);
    painter.drawText(QRect(area.left(), area.bottom() - lineHeight, area.width(), lineHeight), Qt::AlignCenter,
                     QStringLiteral("Godzina UTC"));
    area.setBottom(area.bottom() - lineHeight);

    // Twenty-four hours side by side: small labels, never shortened.
    QFont small = font();
    small.setPointSize(7);
    const QFontMetrics smallMetrics(small);
    const int step = tickStep(highest_);
    const int countWidth = painter.fontMetrics().horizontalAdvance(QString::number(highest_));
    const QRect plot(area.left() + countWidth + 6, area.top() + titleHeight + lineHeight / 2,
                     area.width() - countWidth - 8,
                     area.height() - titleHeight - lineHeight / 2 - smallMetrics.height() - 2);
    if (plot.width() < 10 || plot.height() < 10)
        return;

    const auto yOf = [&](int count) { return plot.bottom() - count * plot.height() / highest_; };
    for (int count = 0; count <= highest_; count += step) {
        painter.setPen(count == 0 ? palette().text().color() : palette().mid().color());
        painter.drawLine(plot.left(), yOf(count), plot.right(), yOf(count));
        painter.setPen(palette().text().color());
        painter.drawText(QRect(area.left(), yOf(count) - lineHeight / 2, countWidth, lineHeight),
                         Qt::AlignRight | Qt::AlignVCenter, QString::number(count));
    }
    painter.drawLine(plot.bottomLeft(), plot.topLeft());

    painter.setFont(small);
    const int hourCount = static_cast<int>(bars_.size());
    for (int slot = 0; slot < hourCount; ++slot) {
        const int left = plot.left() + slot * plot.width() / hourCount;
        const int width = plot.width() / hourCount;
        const int barLeft = left + width / 5;
        const int barWidth = std::max(1, width - 2 * (width / 5));
        int below = 0;
        const QsoRate::BandCounts& bar = bars_[static_cast<std::size_t>(slot)];
        for (std::size_t band = 0; band < kContestBands; ++band) {
            if (bar[band] == 0)
                continue;
            const int top = yOf(below + bar[band]);
            painter.fillRect(barLeft, top, barWidth, yOf(below) - top, QColor(kBandColours[band]));
            below += bar[band];
        }
        painter.drawText(QRect(left, plot.bottom() + 2, width, smallMetrics.height()), Qt::AlignHCenter | Qt::AlignTop,
                         hours_[slot]);
    }
}

}  // namespace qz::ui
