// Keyboard shortcuts of the callsign and exchange fields, and the report filters.

#include "unit1_entry_panel.h"

#include "codec.h"
#include "combo_lists.h"
#include "field_keys.h"
#include "logbook.h"
#include "text.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>

namespace qz::ui {
namespace {

constexpr int kVkB = 'B';
constexpr int kVkC = 'C';
constexpr int kVkM = 'M';
constexpr char kEnter = 13;

bool isAsciiLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }

}  // namespace

void EntryPanel::Edit4KeyDown(int key, Qt::KeyboardModifiers shift)
{
    if (isExactlyAlt(shift) && key == kVkB) {
        const int band = selectedIndex(ComboBox1);
        ComboBox1->setCurrentIndex(band < ComboBox1->count() - 1 ? band + 1 : 0);
    }
    if (isExactlyAlt(shift) && key == kVkM) {
        const int mode = selectedIndex(ComboBox2);
        ComboBox2->setCurrentIndex(mode >= 1 ? 0 : mode + 1);
        ComboBox2Change();
    }
    if (isExactlyAlt(shift) && key == kVkC) {
        const int op = logbook_.currentIndex();
        const int count = ComboBox3->count();
        logbook_.selectOperator(count == 0 ? -1 : op < count - 1 ? op + 1 : 0);
    }
    PageUpKey = key == kVkPageUp;
    PageDownKey = key == kVkPageDown;
    PageStepTime();
    MessageKeyDown(key, shift);
    if (shift == Qt::ControlModifier && key == kVkDown)
        emit spotRequested();
}

void EntryPanel::Edit6KeyDown(int key, Qt::KeyboardModifiers shift) { Edit4KeyDown(key, shift); }

void EntryPanel::Edit4KeyPress(char& key)
{
    if (key != kEnter)
        return;
    key = 0;
    if (enterSends() && !sendOnEnterInCall())
        return;
    fillExpectedExchange();
    focusField(Edit6);
}

void EntryPanel::Edit6KeyPress(char& key)
{
    if (key != kEnter)
        return;
    key = 0;
    if (enterSends())
        storeAndSendOnEnter();
    else
        Button4->click();
}

void EntryPanel::Edit5KeyPress(char& key)
{
    if (!isAsciiLetter(key))
        return;
    key = 0;
    context_.platform.beep();
}

void EntryPanel::Edit7KeyPress(char& key) { Edit5KeyPress(key); }

void EntryPanel::Edit6Exit() { Edit6->setText(fromCp1250(asciiUpper(toCp1250(Edit6->text())))); }

}  // namespace qz::ui
