// The operator list of the main window and the operator editor behind it.

#include "unit1.h"

#include "codec.h"
#include "combo_lists.h"

namespace qz::ui {
namespace {

// The list holds the callsigns of the settings file; a callsign equal in
// every byte is the same operator.
int findExact(const QComboBox* combo, const std::string& callsign)
{
    return combo->findText(fromCp1250(callsign), Qt::MatchExactly | Qt::MatchCaseSensitive);
}

}  // namespace

void TForm1::Button1Click() { emit operatorEditorRequested(); }

// An empty operator list has nothing to offer: the editor opens instead, so
// that the first operator can be entered.
void TForm1::ComboBox3DropDown()
{
    if (ComboBox3->count() == 0)
        Button1Click();
}

void TForm1::addOperator(const std::string& callsign) { insertSortedNoCase(ComboBox3, fromCp1250(callsign)); }

void TForm1::removeOperator(const std::string& callsign)
{
    const int entry = findExact(ComboBox3, callsign);
    if (entry < 0)
        return;
    // Qt would move the selection to a neighbour, silently making someone
    // else the current operator; the deleted operator leaves none instead.
    const bool wasCurrent = ComboBox3->currentIndex() == entry;
    ComboBox3->removeItem(entry);
    if (wasCurrent)
        ComboBox3->setCurrentIndex(-1);
}

void TForm1::setOperators(const std::vector<std::string>& callsigns)
{
    const std::string current = currentOperator();
    const bool hadCurrent = ComboBox3->currentIndex() >= 0;
    ComboBox3->clear();
    for (const std::string& callsign : callsigns)
        insertSortedNoCase(ComboBox3, fromCp1250(callsign));
    ComboBox3->setCurrentIndex(hadCurrent ? findExact(ComboBox3, current) : -1);
}

}  // namespace qz::ui
