// Opening the operator editor from the main window.

#include "unit1.h"

#include "combo_lists.h"
#include "unit2.h"

namespace qz::ui {

void TForm1::Button1Click() { form2_->open(); }

// An empty operator list has nothing to offer: the editor opens instead, so
// that the first operator can be entered.
void TForm1::ComboBox3DropDown()
{
    if (ComboBox3->count() == 0)
        Button1Click();
}

}  // namespace qz::ui
