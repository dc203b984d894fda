// Checking and stepping the QSO date and time by hand.

#include "unit1_entry_panel.h"

#include "codec.h"
#include "time_entry.h"

#include <QLineEdit>

namespace qz::ui {
namespace {

// Writes the checked text back, or shows the fault and keeps the focus there.
bool acceptEntry(Platform& platform, QLineEdit* field, const CheckedEntry& entry, const QString& wrongLength,
                 const QString& wrongData)
{
    if (field->text() != fromCp1250(entry.text))
        field->setText(fromCp1250(entry.text));
    if (entry.result == EntryCheck::Ok)
        return true;
    // An hour, a minute or a day that does not exist is wrong data as much as a letter.
    showError(platform, entry.result == EntryCheck::WrongLength ? wrongLength : wrongData);
    focusField(field);
    return false;
}

}  // namespace

bool EntryPanel::checkTimeField()
{
    return acceptEntry(context_.platform, Edit3, checkTime(toCp1250(Edit3->text())),
                       QStringLiteral("Błędny format czasu!"), QStringLiteral("Niewłaściwe dane w polu czasu!"));
}

bool EntryPanel::checkDateField()
{
    return acceptEntry(context_.platform, Edit2, checkDate(toCp1250(Edit2->text())),
                       QStringLiteral("Błędny format daty!"), QStringLiteral("Niewłaściwe dane w polu daty!"));
}

void EntryPanel::Edit3Exit()
{
    if (checkTimeField())
        UpDown1->setPosition(minutesOf(toCp1250(Edit3->text())));
}

void EntryPanel::Edit2Exit() { checkDateField(); }

void EntryPanel::UpDown1Click(UpDown::Button)
{
    // The field's own check reloads the spinner when the cursor leaves it.
    if (Edit3->hasFocus())
        return;
    applyMinuteStep(hoursOf(toCp1250(Edit3->text())));
}

void EntryPanel::PageStepTime()
{
    if (!PageUpKey && !PageDownKey)
        return;
    stopClock();
    const std::string time = toCp1250(Edit3->text());
    UpDown1->setPosition(minutesOf(time));
    const int hours = hoursOf(time);
    UpDown1->setPosition(UpDown1->position() + (PageUpKey ? 1 : -1));
    applyMinuteStep(hours);
}

void EntryPanel::applyMinuteStep(int hours)
{
    const SteppedTime stepped = settleMinuteStep(hours, UpDown1->position(), toCp1250(Edit2->text()));
    UpDown1->setPosition(stepped.position);
    Edit3->setText(fromCp1250(stepped.time));
    Edit2->setText(fromCp1250(stepped.date));
}

}  // namespace qz::ui
