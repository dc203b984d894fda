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
    const std::string key = toCp1250(text);
    int position = 0;
    while (position < combo->count() && compareNoCase(toCp1250(combo->itemText(position)), key) <= 0)
        ++position;
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
