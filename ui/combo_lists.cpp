#include "combo_lists.h"

#include "codec.h"
#include "text.h"

namespace qz::ui {

int selectedIndex(const QComboBox* combo)
{
    const int index = combo->currentIndex();
    if (index < 0 || (combo->isEditable() && combo->currentText() != combo->itemText(index)))
        return -1;
    return index;
}

int insertSortedNoCase(QComboBox* combo, const QString& text)
{
    // The list is always in sorted order, so the place after the text's equals
    // is found by halving: a settings file of thousands of operators would
    // otherwise take minutes to list.
    const std::string key = toCp1250(text);
    int position = 0;
    for (int end = combo->count(); position < end;) {
        const int middle = position + (end - position) / 2;
        if (compareNoCase(toCp1250(combo->itemText(middle)), key) <= 0)
            position = middle + 1;
        else
            end = middle;
    }
    const bool noneSelected = combo->currentIndex() < 0;
    combo->insertItem(position, text);
    // Qt selects the first entry put into an empty list; the program never
    // selects by adding.
    if (noneSelected)
        combo->setCurrentIndex(-1);
    return position;
}

int findNoCase(const QComboBox* combo, const QString& text)
{
    const std::string key = toCp1250(text);
    for (int i = 0; i < combo->count(); ++i)
        if (equalNoCase(toCp1250(combo->itemText(i)), key))
            return i;
    return -1;
}

void DropDownComboBox::showPopup()
{
    emit dropDown();
    QComboBox::showPopup();
}

}  // namespace qz::ui
