#pragma once
// The main window: a frame of three panels, the entry fields above
// (EntryPanel), the log list with its corrections below (LogPanel) and the
// row of buttons along the bottom, all working on the station's logbook. It
// asks the other windows for what it needs through its signals and never
// touches their controls; they reach it only through the functions below.

#include "cw_keyer.h"
#include "pick_kind.h"
#include "ptt_switch.h"
#include "rig_follower.h"
#include "station_context.h"
#include "typed_qso.h"

#include <QStringList>
#include <QWidget>
#include <cstdint>
#include <memory>
#include <string>

class QCloseEvent;
class QLabel;
class QPushButton;

namespace qz::ui {

class EntryPanel;
class LogPanel;
class Logbook;
class MessageKeys;
class MessagesWindow;
struct ShareStatus;

class TForm1 : public QWidget {
    Q_OBJECT
public:
    TForm1(StationContext context, Logbook& logbook, QWidget* parent = nullptr);
    ~TForm1() override;

    // Runs the start-up under the error box, shows the window and puts the
    // keyboard focus into the callsign field.
    void start();
    // Follows the radio's band and mode from now on.
    void followRadio(const RigChoice& choice, const link::RigTiming& timing = {});
    // Tells in the band list's hint which settings were passed over.
    void noteIgnoredSettings(const QString& notes);
    // The function keys send CW through `keyer` from now on (none: CW is
    // off); `source` says what chose it ("--cw", the setting's file).
    void sendCwThrough(std::unique_ptr<link::CwKeyer> keyer, const QString& source);
    // The recordings key the radio through `ptt` where the messages file
    // says PTT=rig.
    void keyRadioThrough(std::unique_ptr<link::PttSwitch> ptt);
    // The pick dialog's OK: writes the picked entry into the line that the
    // last correction command selected.
    void applyPick(qz::ui::PickKind kind, int position, const QString& entry);
    // Brings the window forward with the QSO selected in the log list, the
    // view switched to its operator when needed.
    void showQso(const std::string& op, const std::string& line);
    // The state of the sharing, beside the log list.
    void showSharing(const ShareStatus& status);
    // A spot picked on the band map (EntryPanel::takeSpot).
    void takeSpot(const QString& call, const QString& band, const QString& mode, std::int64_t hertz);

signals:
    // "Zarządzanie operatorami", or the drop-down of an empty operator list.
    void operatorEditorRequested();
    // The Cabrillo files are written; `lastOperator` is the operator column
    // of the file written last.
    void cabrilloExported(const std::string& lastOperator);
    // "Zapisz pliki  ADIF": this window is hidden for the export window.
    void adifExportRequested();
    // A band, mode or operator correction: the list to pick from, with the
    // choice for new QSOs preselected (-1: none).
    void pickRequested(qz::ui::PickKind kind, const QStringList& entries, int selected);
    // F11: show or hide the contest overview.
    void overviewRequested();
    // F12 or "Mapa pasma": show or hide the band map.
    void bandMapRequested();
    // Ctrl+Down in the callsign or received-exchange field.
    void spotRequested();
    void typedQsoChanged(const qz::ui::TypedQso& typed);

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    QWidget* createButtonRow();
    QWidget* createMessageRow();
    void showMessageState();
    // "Komunikaty": the messages window (Alt+K).
    void Button10Click();
    void connectHandlers();

    void FormCreate();
    void Button2Click();
    void Button3Click();
    void Button5Click();
    void Button6Click();
    void Button7Click();
    // A new log (unit1_newlog.cpp).
    void Button8Click();
    // Joining another computer's log (unit1_join.cpp).
    void Button9Click();
    // Escape, wherever the focus is in the window.
    void stopMessages();

    StationContext context_;
    Logbook& logbook_;
    // Not a child: it goes before the window's controls, since Qt's sound
    // output runs the event loop while it is destroyed.
    std::unique_ptr<MessageKeys> messages_;
    MessagesWindow* messagesWindow_ = nullptr;
    EntryPanel* entry_ = nullptr;
    LogPanel* log_ = nullptr;
    QPushButton* Button2 = nullptr;
    QPushButton* Button7 = nullptr;
    QPushButton* Button8 = nullptr;
    QPushButton* Button9 = nullptr;
    QPushButton* Button3 = nullptr;
    QPushButton* Button5 = nullptr;
    QPushButton* Button6 = nullptr;
    QPushButton* Button10 = nullptr;
    QLabel* CwState = nullptr;
    QLabel* credit_ = nullptr;
};

}  // namespace qz::ui
