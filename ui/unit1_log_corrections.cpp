// The correction commands of the log list's popup menu. A stored QSO has no
// identifier of its own: every command acts on the full text of the selected
// line, and every change rewrites the whole log.

#include "unit1_log_panel.h"

#include "codec.h"
#include "failure_box.h"
#include "field_text.h"
#include "log_corrections.h"
#include "log_list_box.h"
#include "logbook.h"

#include <optional>

namespace qz::ui {
namespace {

const QString kSelectFirst = QStringLiteral("Należy najpierw zaznaczyć łączność!");

}  // namespace

struct LogPanel::EntryBox {
    TypedField field;
    QString caption;
    QString prompt;
    QString fieldName;  // as the error box names it
};

std::optional<std::string> LogPanel::selectedOrComplain(const QString& complaint) const
{
    std::optional<std::string> line = ListBox1->selectedLine();
    if (!line)
        showError(context_.platform, complaint);
    return line;
}

bool LogPanel::takeSelectedLine()
{
    const std::optional<std::string> line = selectedOrComplain(kSelectFirst);
    if (line)
        SelectedLine = *line;
    return line.has_value();
}

// A refused entry comes back in the box for mending; Cancel there (which
// gives the refused text back unchanged) ends the command with nothing done.
void LogPanel::correctByEntry(const EntryBox& box)
{
    if (!takeSelectedLine())
        return;
    Platform& platform = context_.platform;
    const std::string current = currentValue(box.field, SelectedLine);
    QString offered = fromCp1250(current);
    for (;;) {
        const QString entry = platform.inputBox(box.caption, box.prompt, offered);
        if (entry == offered && offered != fromCp1250(current))
            return;
        const EntryJudgement judged = judgeEntry(box.field, current, toCp1250(entry));
        switch (judged.verdict) {
        case EntryVerdict::Unchanged: return;
        case EntryVerdict::WrongDate:
            showError(platform, QStringLiteral("Błędny format daty! Wprowadź datę w postaci rrrr-mm-dd."));
            break;
        case EntryVerdict::WrongTime:
            showError(platform, QStringLiteral("Błędny format czasu! Wprowadź czas w postaci hhmm."));
            break;
        case EntryVerdict::TooLong: showError(platform, tooLongText(box.fieldName, judged.length, judged.limit)); break;
        case EntryVerdict::Change:
            applyCorrection(
                [&](const std::string& stored) { return withTypedField(stored, box.field, judged.columns); });
            return;
        }
        offered = entry;
    }
}

// Offers the main window's list in the pick dialog. The dialog does not
// wait: its OK applies the change later, to whatever line is selected by then.
void LogPanel::requestPick(PickKind kind)
{
    if (takeSelectedLine())
        emit pickRequested(kind);
}

void LogPanel::applyCorrection(const std::function<std::string(const std::string&)>& change)
{
    const std::optional<std::string> changed = logbook_.correct(SelectedLine, change);
    ListBox1->selectRow(changed ? logbook_.view().findExact(*changed) : -1);
}

void LogPanel::zmiendate1Click()
{
    correctByEntry({TypedField::Date, QStringLiteral("Zmiana daty"), QStringLiteral("Nowa data (rrrr-mm-dd)"),
                    QStringLiteral("Data")});
}

void LogPanel::ZmieczasQSO1Click()
{
    correctByEntry(
        {TypedField::Time, QStringLiteral("Zmiana czasu"), QStringLiteral("Nowy czas (hhmm)"), QStringLiteral("Czas")});
}

void LogPanel::Zmiepasmo1Click() { requestPick(PickKind::Band); }

void LogPanel::Zmieemisj1Click() { requestPick(PickKind::Mode); }

void LogPanel::ZmieOperatora1Click() { requestPick(PickKind::Operator); }

void LogPanel::applyPick(PickKind kind, int position, const QString& entry)
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

void LogPanel::Zmieznakkorespondenta1Click()
{
    correctByEntry({TypedField::Call, QStringLiteral("Zmiana znaku korespondenta"), QStringLiteral("Nowy znak"),
                    QStringLiteral("Znak korespondenta")});
}

void LogPanel::Zmienadanynumerser1Click()
{
    correctByEntry({TypedField::SentExchange, QStringLiteral("Zmiana nadanej grupy kontrolnej"),
                    QStringLiteral("Nowa grupa"), QStringLiteral("Nadana grupa kontrolna")});
}

void LogPanel::Zmieodebranynumerseryjny1Click()
{
    correctByEntry({TypedField::ReceivedExchange, QStringLiteral("Zmiana odebranej grupy kontrolnej"),
                    QStringLiteral("Nowa grupa"), QStringLiteral("Odebrana grupa kontrolna")});
}

void LogPanel::Usu1Click()
{
    const std::optional<std::string> line =
        selectedOrComplain(QStringLiteral("Należy najpierw zaznaczyć łączność do usunięcia!"));
    if (!line)
        return;
    if (context_.platform.messageBox(QStringLiteral("Potwierdzenie"),
                                     QStringLiteral("Czy na pewno usunąć zaznaczoną łączność?"), BoxIcon::Question,
                                     BoxButtons::YesNo) != BoxAnswer::Yes)
        return;
    SelectedLine = *line;
    // Only the selected copy goes, from the log and the list: identical
    // copies stay, and the headquarters slots keep their state until the
    // next reload.
    logbook_.remove(SelectedLine, ListBox1->selectedRow());
    ListBox1->selectRow(-1);
}

}  // namespace qz::ui
