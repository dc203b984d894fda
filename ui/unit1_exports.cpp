// Starting the Cabrillo and ADIF exports.

#include "clock.h"
#include "codec.h"
#include "contest_export.h"
#include "unit1.h"
#include "unit2.h"
#include "unit3.h"

#include <QLineEdit>

namespace qz::ui {
namespace {

// The editor shows the operator whose file was written last, as if picked
// from its list; an operator without a record shows the values of a new
// record, which is what that file's header got. An editor with typing not
// yet saved is left alone, so the export never throws that typing away.
void showExportedOperator(TForm2& editor, const std::string& callsign)
{
    if (editor.isEditing())
        return;
    editor.loadRecords();
    const int row = editor.findCallsign(callsign);
    editor.selectRow(row);
    if (row < 0)
        editor.resetToNewRecord();
    else
        editor.ListBox1Click();
}

}  // namespace

void TForm1::Button2Click()
{
    const ExportResult result = exportCabrillo(context_.folder);
    if (reportStoppedExport(context_.platform, result) || result.files.empty())
        return;
    showExportedOperator(*form2_, result.lastOperator);
    ComboBox3Change();
    showInformation(context_.platform, QStringLiteral("Pliki Cabrillo zostały zapisane!"));
}

void TForm1::Button7Click()
{
    hide();
    form3_->Edit1->setText(form2_->Edit10->text() + QLatin1Char(' ') + QString::number(localYear(context_.clock())));
    form3_->show();
    form3_->raise();
    form3_->activateWindow();
}

}  // namespace qz::ui
