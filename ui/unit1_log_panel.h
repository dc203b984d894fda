#pragma once
// The lower part of the main window: the headquarters banner, the log list of
// the current operator and its popup menu of corrections
// (unit1_corrections.cpp). The list shows the logbook's view; every
// correction goes through the logbook.

#include "pick_kind.h"
#include "station_context.h"

#include <QString>
#include <QWidget>
#include <functional>
#include <optional>
#include <string>

class QAction;
class QLabel;
class QToolButton;
class QMenu;

namespace qz::ui {

class LogListBox;
class Logbook;
struct ShareStatus;

class LogPanel : public QWidget {
    Q_OBJECT
public:
    LogPanel(StationContext context, Logbook& logbook, QWidget* parent);

    // The pick dialog's OK: writes the picked entry into the line that the
    // last correction command selected.
    void applyPick(qz::ui::PickKind kind, int position, const QString& entry);
    QWidget* list() const;
    // Selects the line in the log list and puts the focus there.
    void showLine(const std::string& line);
    // The state of the sharing with the station's other computers.
    void showSharing(const qz::ui::ShareStatus& status);

signals:
    // A band, mode or operator correction: the dialog to pick from is wanted.
    void pickRequested(qz::ui::PickKind kind);
    // "Mapa pasma" beside the banner.
    void bandMapRequested();

private:
    void createControls();
    void followLogbook();
    // Shows the headquarters banner when all twelve slots are worked.
    void updateBanner();

    void zmiendate1Click();
    void ZmieczasQSO1Click();
    void Zmiepasmo1Click();
    void Zmieemisj1Click();
    void ZmieOperatora1Click();
    void Zmieznakkorespondenta1Click();
    void Zmienadanynumerser1Click();
    void Zmieodebranynumerseryjny1Click();
    void Usu1Click();

    struct EntryBox;
    void correctByEntry(const EntryBox& box);
    void requestPick(PickKind kind);
    // Rewrites the log with `change` applied to every line equal to
    // SelectedLine, and selects the changed QSO again in the reloaded view.
    void applyCorrection(const std::function<std::string(const std::string&)>& change);
    // The selected line, or nothing after telling the user to select one.
    std::optional<std::string> selectedOrComplain(const QString& complaint) const;
    // Takes the selected line as the one the command acts on; false, after
    // telling the user to select one, when none is.
    bool takeSelectedLine();

    StationContext context_;
    Logbook& logbook_;

    QLabel* Label11 = nullptr;
    QLabel* Label12 = nullptr;
    QLabel* LabelSiec = nullptr;
    QToolButton* Button11 = nullptr;
    LogListBox* ListBox1 = nullptr;
    QMenu* PopupMenu1 = nullptr;
    QAction* zmiendate1 = nullptr;
    QAction* ZmieczasQSO1 = nullptr;
    QAction* Zmiepasmo1 = nullptr;
    QAction* Zmieemisj1 = nullptr;
    QAction* ZmieOperatora1 = nullptr;
    QAction* Zmieznakkorespondenta1 = nullptr;
    QAction* Zmienadanynumerser1 = nullptr;
    QAction* Zmieodebranynumerseryjny1 = nullptr;
    QAction* N1 = nullptr;
    QAction* Usu1 = nullptr;

    // The log line that the last correction command acts on, also when the
    // pick dialog's OK comes later.
    std::string SelectedLine;
};

}  // namespace qz::ui
