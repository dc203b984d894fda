#pragma once
// The twelve band/mode slots of the headquarters station as a grid: the six
// bands down, SSB and CW across, each slot marked when it has been worked.

#include <QWidget>
#include <array>
#include <string>
#include <vector>

class QLabel;

namespace qz::ui {

class HeadquartersGrid : public QWidget {
    Q_OBJECT
public:
    explicit HeadquartersGrid(QWidget* parent = nullptr);

    // The worked slot keys (columns 17-26 of the log lines). Each cell, named
    // "Slot_20M_CW" and so on, carries the property "worked".
    void showSlots(const std::vector<std::string>& worked);

private:
    static constexpr std::size_t kBands = 6;
    static constexpr std::size_t kModes = 2;
    std::array<std::array<QLabel*, kModes>, kBands> cells_{};
    QLabel* count_ = nullptr;
};

}  // namespace qz::ui
