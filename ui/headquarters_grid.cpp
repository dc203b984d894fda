#include "headquarters_grid.h"

#include "codec.h"
#include "log_line.h"
#include "text.h"

#include <QGridLayout>
#include <QLabel>
#include <algorithm>

namespace qz::ui {
namespace {

constexpr int kSlotsInAll = 12;

// The slot key of a band and mode of the lists: band column, then mode column.
std::string slotKey(std::size_t band, std::size_t mode)
{
    return std::string(bandTable()[band].column) + std::string(modeTable()[mode].column);
}

}  // namespace

HeadquartersGrid::HeadquartersGrid(QWidget* parent) : QWidget(parent)
{
    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setSpacing(2);
    for (std::size_t mode = 0; mode < kModes; ++mode)
        grid->addWidget(new QLabel(fromAscii(modeTable()[mode].entry), this), 0, static_cast<int>(mode) + 1,
                        Qt::AlignCenter);
    for (std::size_t band = 0; band < kBands; ++band) {
        grid->addWidget(new QLabel(fromAscii(bandTable()[band].entry), this), static_cast<int>(band) + 1, 0);
        for (std::size_t mode = 0; mode < kModes; ++mode) {
            auto* cell = new QLabel(this);
            cell->setAlignment(Qt::AlignCenter);
            cell->setMinimumWidth(48);
            cell->setFrameShape(QFrame::Box);
            cell->setAutoFillBackground(true);
            const QString bandName = fromAscii(bandTable()[band].entry);
            const QString modeName = fromAscii(modeTable()[mode].entry);
            cell->setObjectName(QStringLiteral("Slot_%1_%2").arg(bandName, modeName));
            cell->setAccessibleName(QStringLiteral("QZ5KV %1 %2").arg(bandName, modeName));
            grid->addWidget(cell, static_cast<int>(band) + 1, static_cast<int>(mode) + 1);
            cells_[band][mode] = cell;
        }
    }
    count_ = new QLabel(this);
    grid->addWidget(count_, static_cast<int>(kBands) + 1, 0, 1, static_cast<int>(kModes) + 1);
    showSlots({});
}

void HeadquartersGrid::showSlots(const std::vector<std::string>& worked)
{
    int shown = 0;
    for (std::size_t band = 0; band < kBands; ++band)
        for (std::size_t mode = 0; mode < kModes; ++mode) {
            const std::string key = slotKey(band, mode);
            const bool done =
                std::any_of(worked.begin(), worked.end(), [&](const std::string& w) { return equalNoCase(w, key); });
            QLabel* cell = cells_[band][mode];
            cell->setText(done ? QStringLiteral("✔") : QString());
            QPalette palette = cell->palette();
            palette.setColor(QPalette::Window, done ? QColor(150, 220, 150) : palette.color(QPalette::Base));
            cell->setPalette(palette);
            cell->setProperty("worked", done);
            shown += done ? 1 : 0;
        }
    count_->setText(QStringLiteral("%1 z %2").arg(shown).arg(kSlotsInAll));
}

}  // namespace qz::ui
