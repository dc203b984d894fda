// The correction commands of the log list's popup menu. A stored QSO has no
// identifier of its own: every command acts on the full text of the selected
// line, and every change rewrites the whole log.

#include "unit1.h"

#include "codec.h"
#include "combo_lists.h"
#include "log_corrections.h"
#include "log_file.h"

#include <QComboBox>
#include <optional>

namespace qz::ui {
namespace {

const QString kSelectFirst = QStringLiteral("Należy najpierw zaznaczyć łączność!");

// The selected line, or nothing after telling the user to select one.
std::optional<std::string> selectedOrComplain(const TForm1& form, const QString& complaint)
{
    std::optional<std::string> line = form.ListBox1->selectedLine();
    if (!line)
        showError(form.context().platform, complaint);
    return line;
}

struct EntryBox {
    TypedField field;
    QString caption;
    QString prompt;
};

void correctByEntry(TForm1& form, const EntryBox& box)
{
    const std::optional<std::string> line = selectedOrComplain(form, kSelectFirst);
    if (!line)
        return;
    form.SelectedLine = *line;
    Platform& platform = form.context().platform;
    const std::string current = currentValue(box.field, form.SelectedLine);
    const QString entry = platform.inputBox(box.caption, box.prompt, fromCp1250(current));
    const EntryJudgement judged = judgeEntry(box.field, current, toCp1250(entry));
    switch (judged.verdict) {
    case EntryVerdict::Unchanged: return;
    case EntryVerdict::WrongDate:
        showError(platform, QStringLiteral("Błędny format daty! Wprowadź datę w postaci rrrr-mm-dd."));
        return;
    case EntryVerdict::WrongTime:
        showError(platform, QStringLiteral("Błędny format czasu! Wprowadź czas w postaci hhmm."));
        return;
    case EntryVerdict::Change: break;
    }
    form.applyCorrection([&](const std::string& stored) { return withTypedField(stored, box.field, judged.columns); });
}

// Offers the main window's list in the pick dialog, preselecting the choice
// for new QSOs (not the QSO's own value). The dialog does not wait: its OK
// applies the change later, to whatever line is selected by then.
void requestPick(TForm1& form, PickKind kind, const QComboBox* source)
{
    const std::optional<std::string> line = selectedOrComplain(form, kSelectFirst);
    if (!line)
        return;
    form.SelectedLine = *line;
    QStringList entries;
    for (int i = 0; i < source->count(); ++i)
        entries << source->itemText(i);
    emit form.pickRequested(kind, entries, selectedIndex(source));
}

}  // namespace

void TForm1::applyCorrection(const std::function<std::string(const std::string&)>& change)
{
    const std::optional<std::string> changed =
        LogFile(context_.folder).rewrite(SelectedLine, [&](const std::string& line) {
            return std::optional(change(line));
        });
    ComboBox3Change();
    ListBox1->selectRow(changed ? ListBox1->findExact(*changed) : -1);
}

void TForm1::zmiendate1Click()
{
    correctByEntry(*this, {TypedField::Date, QStringLiteral("Zmiana daty"), QStringLiteral("Nowa data (rrrr-mm-dd)")});
}

void TForm1::ZmieczasQSO1Click()
{
    correctByEntry(*this, {TypedField::Time, QStringLiteral("Zmiana czasu"), QStringLiteral("Nowy czas (hhmm)")});
}

void TForm1::Zmiepasmo1Click() { requestPick(*this, PickKind::Band, ComboBox1); }

void TForm1::Zmieemisj1Click() { requestPick(*this, PickKind::Mode, ComboBox2); }

void TForm1::ZmieOperatora1Click() { requestPick(*this, PickKind::Operator, ComboBox3); }

void TForm1::applyPick(PickKind kind, int position, const QString& entry)
{
    const auto row = static_cast<std::size_t>(position);
    switch (kind) {
    case PickKind::Band: applyCorrection([row](const std::string& line) { return withBand(line, row); }); return;
    case PickKind::Mode: applyCorrection([row](const std::string& line) { return withMode(line, row); }); return;
    case PickKind::Operator:
        applyCorrection([op = toCp1250(entry)](const std::string& line) { return withOperator(line, op); });
        return;
    }
}

void TForm1::Zmieznakkorespondenta1Click()
{
    correctByEntry(*this,
                   {TypedField::Call, QStringLiteral("Zmiana znaku korespondenta"), QStringLiteral("Nowy znak")});
}

void TForm1::Zmienadanynumerser1Click()
{
    correctByEntry(*this, {TypedField::SentExchange, QStringLiteral("Zmiana nadanej grupy kontrolnej"),
                           QStringLiteral("Nowa grupa")});
}

void TForm1::Zmieodebranynumerseryjny1Click()
{
    correctByEntry(*this, {TypedField::ReceivedExchange, QStringLiteral("Zmiana odebranej grupy kontrolnej"),
                           QStringLiteral("Nowa grupa")});
}

void TForm1::Usu1Click()
{
    const std::optional<std::string> line =
        selectedOrComplain(*this, QStringLiteral("Należy najpierw zaznaczyć łączność do usunięcia!"));
    if (!line)
        return;
    if (context_.platform.messageBox(QStringLiteral("Potwierdzenie"),
                                     QStringLiteral("Czy na pewno usunąć zaznaczoną łączność?"), BoxIcon::Question,
                                     BoxButtons::YesNo) != BoxAnswer::Yes)
        return;
    const int row = ListBox1->selectedRow();
    SelectedLine = *line;
    LogFile(context_.folder).rewrite(SelectedLine, [](const std::string&) { return std::optional<std::string>(); });
    emit qsoDeleted(SelectedLine);
    // Only the selected item goes: identical copies stay listed, and the
    // headquarters slots keep their state until the next reload.
    ListBox1->removeRow(row);
    ListBox1->selectRow(-1);
}

}  // namespace qz::ui
