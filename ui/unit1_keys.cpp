// Keyboard shortcuts of the callsign and exchange fields, and the report filters.

#include "unit1.h"

#include "codec.h"
#include "combo_lists.h"
#include "field_keys.h"
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

void TForm1::Edit4KeyDown(int key, Qt::KeyboardModifiers shift)
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
        const int op = ComboBox3->currentIndex();
        if (ComboBox3->count() > 0)
            ComboBox3->setCurrentIndex(op < ComboBox3->count() - 1 ? op + 1 : 0);
        ComboBox3Change();
    }
    PageUpKey = key == kVkPageUp;
    PageDownKey = key == kVkPageDown;
    PageStepTime();
}

void TForm1::Edit6KeyDown(int key, Qt::KeyboardModifiers shift) { Edit4KeyDown(key, shift); }

void TForm1::Edit4KeyPress(char& key)
{
    if (key != kEnter)
        return;
    key = 0;
    focusField(Edit6);
}

void TForm1::Edit6KeyPress(char& key)
{
    if (key != kEnter)
        return;
    key = 0;
    Button4->click();
}

void TForm1::Edit5KeyPress(char& key)
{
    if (!isAsciiLetter(key))
        return;
    key = 0;
    context_.platform.beep();
}

void TForm1::Edit7KeyPress(char& key) { Edit5KeyPress(key); }

void TForm1::Edit6Exit() { Edit6->setText(fromCp1250(asciiUpper(toCp1250(Edit6->text())))); }

}  // namespace qz::ui
