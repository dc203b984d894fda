#pragma once
// The main window: the operator list, the row of entry fields, the large add
// button, the log list of the current operator and the buttons along the
// bottom. Its handlers are spread over the unit1_*.cpp files by topic.

#include "failure_box.h"
#include "log_list_box.h"
#include "rig_follower.h"
#include "station_context.h"
#include "updown.h"

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
class TForm2;
class TForm3;
class TForm4;
class WorkedBeforeMarker;

class TForm1 : public QWidget {
    Q_OBJECT
public:
    explicit TForm1(const StationContext& context, QWidget* parent = nullptr);
    ~TForm1() override;

    // The other windows, created after this one.
    void setPeers(TForm2* form2, TForm3* form3, TForm4* form4);

    const StationContext& context() const { return context_; }
    // The selected entry of the operator list, empty when none is selected.
    std::string currentOperator() const;

    // Controls, by their names in the window.
    DropDownComboBox* ComboBox3;
    QPushButton* Button1;
    QLineEdit* Edit2;
    QComboBox* ComboBox1;
    QComboBox* ComboBox2;
    QLineEdit* Edit3;
    UpDown* UpDown1;
    QLineEdit* Edit4;
    QLineEdit* Edit6;
    QFrame* Panel2;
    QLineEdit* Edit7;
    QLineEdit* Edit5;
    QGroupBox* Panel1;
    QLineEdit* Edit8;
    QCheckBox* CheckBox1;
    QPushButton* Button4;
    QPushButton* Button2;
    QPushButton* Button7;
    QPushButton* Button8;
    QPushButton* Button3;
    QPushButton* Button5;
    QPushButton* Button6;
    LogListBox* ListBox1;
    QLabel* Label11;
    QLabel* Label12;
    QTimer* Timer1;
    QMenu* PopupMenu1;
    QAction* zmiendate1;
    QAction* ZmieczasQSO1;
    QAction* Zmiepasmo1;
    QAction* Zmieemisj1;
    QAction* ZmieOperatora1;
    QAction* Zmieznakkorespondenta1;
    QAction* Zmienadanynumerser1;
    QAction* Zmieodebranynumerseryjny1;
    QAction* N1;
    QAction* Usu1;

    // The distinct headquarters slots of the current operator (never shown).
    std::vector<std::string> ListBox3;

    // Set by every key-down in the callsign and received-exchange fields.
    bool PageUpKey = false;
    bool PageDownKey = false;
    // The log line that the last correction command acts on; the pick dialog
    // reads it when its OK is pressed.
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
    // reloads the view and selects the changed QSO again (the pick dialog's OK too).
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

signals:
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
    void createControls();
    void connectHandlers();
    void setReportDefaults(const QString& report, int limit);
    // Shows `warning` when the sent exchange holds anything but digits; true when it did.
    bool warnAboutNonDigitExchange(const QString& warning);
    // Writes the time and date after the spinner has moved one minute.
    void applyMinuteStep(int hours);
    // Runs a handler under the application-wide error box.
    template <typename Handler>
    auto guard(Handler handler)
    {
        return [this, handler](auto&&...) { guarded(context_.platform, [&] { (this->*handler)(); }); };
    }

    StationContext context_;
    WorkedBeforeMarker* workedBefore_ = nullptr;
    FollowingList* bandFollow_ = nullptr;
    FollowingList* modeFollow_ = nullptr;
    TForm2* form2_ = nullptr;
    TForm3* form3_ = nullptr;
    TForm4* form4_ = nullptr;
};

}  // namespace qz::ui
