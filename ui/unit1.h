#pragma once
// The main window: the operator list, the row of entry fields, the large add
// button, the log list of the current operator and the buttons along the
// bottom. Its handlers are spread over the unit1_*.cpp files by topic. It
// asks the other windows for what it needs through its signals and takes
// their answers through its public handlers; it never touches their controls.

#include "log_list_box.h"
#include "pick_kind.h"
#include "rig_follower.h"
#include "station_context.h"
#include "updown.h"

#include <QStringList>
#include <QWidget>
#include <functional>
#include <string>
#include <vector>

class QCheckBox;
class QCloseEvent;
class QComboBox;
class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QMenu;
class QAction;
class QPushButton;
class QTimer;

namespace qz::ui {

class DropDownComboBox;
class FollowingList;
class WorkedBeforeMarker;

class TForm1 : public QWidget {
    Q_OBJECT
public:
    explicit TForm1(StationContext context, QWidget* parent = nullptr);
    ~TForm1() override;

    // Runs the start-up under the error box, shows the window and puts the
    // keyboard focus into the callsign field.
    void start();

    const StationContext& context() const { return context_; }
    // The selected entry of the operator list, empty when none is selected.
    std::string currentOperator() const;

    // Controls, by their names in the window.
    DropDownComboBox* ComboBox3 = nullptr;
    QPushButton* Button1 = nullptr;
    QLineEdit* Edit2 = nullptr;
    QComboBox* ComboBox1 = nullptr;
    QComboBox* ComboBox2 = nullptr;
    QLineEdit* Edit3 = nullptr;
    UpDown* UpDown1 = nullptr;
    QLineEdit* Edit4 = nullptr;
    QLineEdit* Edit6 = nullptr;
    QFrame* Panel2 = nullptr;
    QLineEdit* Edit7 = nullptr;
    QLineEdit* Edit5 = nullptr;
    QGroupBox* Panel1 = nullptr;
    QLineEdit* Edit8 = nullptr;
    QCheckBox* CheckBox1 = nullptr;
    QPushButton* Button4 = nullptr;
    QPushButton* Button2 = nullptr;
    QPushButton* Button7 = nullptr;
    QPushButton* Button8 = nullptr;
    QPushButton* Button3 = nullptr;
    QPushButton* Button5 = nullptr;
    QPushButton* Button6 = nullptr;
    LogListBox* ListBox1 = nullptr;
    QLabel* Label11 = nullptr;
    QLabel* Label12 = nullptr;
    QTimer* Timer1 = nullptr;
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

    // The distinct headquarters slots of the current operator (never shown).
    std::vector<std::string> ListBox3;

    // Set by every key-down in the callsign and received-exchange fields.
    bool PageUpKey = false;
    bool PageDownKey = false;
    // The log line that the last correction command acts on, also when the
    // pick dialog's OK comes later.
    std::string SelectedLine;

    // Start-up, clock and view (unit1.cpp).
    void FormCreate();
    void Timer1Timer();
    void ComboBox2Change();
    void ComboBox3Change();
    void Button3Click();
    void Button5Click();
    void Button6Click();
    void startClock();
    void stopClock();
    // Puts the keyboard focus into the field with its text selected, as a field
    // does when the focus arrives, so the next keys replace a kept default.
    static void focusField(QLineEdit* field);
    // Shows the headquarters banner when all twelve slots are worked.
    void updateBanner();

    // Storing a QSO (unit1_entry.cpp).
    void Button4Click();
    void CheckBox1Click();
    void Edit8Change();

    // Time and date entry (unit1_time.cpp).
    void Edit2Exit();
    void Edit3Exit();
    void UpDown1Click(UpDown::Button button);
    void PageStepTime();

    // Keyboard shortcuts and filters (unit1_keys.cpp).
    void Edit4KeyDown(int key, Qt::KeyboardModifiers shift);
    void Edit6KeyDown(int key, Qt::KeyboardModifiers shift);
    void Edit4KeyPress(char& key);
    void Edit6KeyPress(char& key);
    void Edit5KeyPress(char& key);
    void Edit7KeyPress(char& key);
    void Edit6Exit();

    // Operators (unit1_operators.cpp).
    void Button1Click();
    void ComboBox3DropDown();

    // Exports (unit1_exports.cpp).
    void Button2Click();
    void Button7Click();

    // Corrections (unit1_corrections.cpp).
    void zmiendate1Click();
    void ZmieczasQSO1Click();
    void Zmiepasmo1Click();
    void Zmieemisj1Click();
    void ZmieOperatora1Click();
    void Zmieznakkorespondenta1Click();
    void Zmienadanynumerser1Click();
    void Zmieodebranynumerseryjny1Click();
    void Usu1Click();
    // Rewrites the log with `change` applied to every line equal to SelectedLine,
    // reloads the view and selects the changed QSO again.
    void applyCorrection(const std::function<std::string(const std::string&)>& change);

    // A new log (unit1_newlog.cpp).
    void Button8Click();

    // Following the radio (unit1_radio.cpp). Called once after start-up; the
    // band list's hint tells the radio's state from then on.
    void followRadio(const RigChoice& choice, const RigTiming& timing = {});
    // The radio's band and mode list entries, reported after every poll.
    void RadioTuned(const QString& band, const QString& mode);

    // Colours the callsign field when the station was worked before.
    const WorkedBeforeMarker& workedBeforeMarker() const { return *workedBefore_; }

    // The operator editor's changes to the operator list; callsigns are the
    // settings file's bytes (unit1_operators.cpp).
    void addOperator(const std::string& callsign);
    // The first entry equal to the callsign goes; when it was the current
    // operator, no operator is current.
    void removeOperator(const std::string& callsign);
    // The whole list anew; the current operator stays current if listed.
    void setOperators(const std::vector<std::string>& callsigns);

    // The pick dialog's OK: writes the picked entry into the line that the
    // last correction command selected (unit1_corrections.cpp).
    void applyPick(qz::ui::PickKind kind, int position, const QString& entry);

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
    // The log is archived and the entry fields are back at their defaults.
    void newLogStarted();
    // The current operator's lines as the start-up load or a view reload has
    // just read them from the log, in the file's order; none after a new log.
    void operatorLinesRead(const std::vector<std::string_view>& lines);
    // A QSO line appended to the log.
    void qsoStored(const std::string& line);
    // Every line equal to this one was deleted from the log.
    void qsoDeleted(const std::string& line);
    // F2: show or hide the contest overview.
    void overviewRequested();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    // The modes' positions in the mode list.
    static constexpr int kSsbPosition = 0;
    static constexpr int kCwPosition = 1;

    void createControls();
    void connectHandlers();
    void setReportDefaults(const QString& report, int limit);
    // The entry fields as a contest starts them, in the mode at `mode` of the mode list.
    void setEntryDefaults(int mode);
    // Shows `warning` when the sent exchange holds anything but digits; true when it did.
    bool warnAboutNonDigitExchange(const QString& warning);
    // Writes the time and date after the spinner has moved one minute.
    void applyMinuteStep(int hours);

    StationContext context_;
    WorkedBeforeMarker* workedBefore_ = nullptr;
    FollowingList* bandFollow_ = nullptr;
    FollowingList* modeFollow_ = nullptr;
};

}  // namespace qz::ui
