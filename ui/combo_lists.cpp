#include "combo_lists.h"

#include "codec.h"

#include <algorithm>

namespace qz::ui {

int selectedIndex(const QComboBox* combo)
{
    const int index = combo->currentIndex();
    if (index < 0 || (combo->isEditable() && combo->currentText() != combo->itemText(index)))
        return -1;
    return index;
}

namespace {

template <typename Row>
const Row* selectedRow(const QComboBox* list, const std::vector<Row>& table)
{
    const int index = selectedIndex(list);
    if (index < 0)
        return nullptr;
    const std::string entry = toCp1250(list->itemText(index));
    const auto row =
        std::find_if(table.begin(), table.end(), [&](const Row& r) { return !r.entry.empty() && r.entry == entry; });
    return row == table.end() ? nullptr : &*row;
}

}  // namespace

const Band* selectedBand(const QComboBox* bandList) { return selectedRow(bandList, bandTable()); }

const Mode* selectedMode(const QComboBox* modeList) { return selectedRow(modeList, modeTable()); }

void DropDownComboBox::showPopup()
{
    emit dropDown();
    QComboBox::showPopup();
}

}  // namespace qz::ui
