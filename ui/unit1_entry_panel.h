#pragma once
// The upper part of the main window: the operator list, the row of entry
// fields with the clock, the reports and the sent exchange, and the large add
// button. It stores QSOs through the logbook and follows the logbook's
// operator list; its handlers are spread over the unit1_entry*.cpp files by
// topic.

#include "exchange_prediction.h"
#include "message_expansion.h"
#include "pick_kind.h"
#include "rig_follower.h"
#include "station_context.h"
#include "typed_qso.h"
#include "updown.h"

#include <QStringList>
#include <QWidget>
#include <cstdint>
#include <optional>

class QCheckBox;
class QComboBox;
class QFrame;
class QGroupBox;
class QLineEdit;
class QPushButton;
class QTimer;

namespace qz::link {
class RigctldSession;
}

namespace qz::ui {

class DropDownComboBox;
class ExchangePredictor;
class FollowingList;
class Logbook;
class MessageKeys;
class WorkedBeforeMarker;

// The entries of one of the lists and the selected one (-1: none).
struct PickList {
    QStringList entries;
    int selected = -1;
};

class EntryPanel : public QWidget {
    Q_OBJECT
public:
    EntryPanel(StationContext context, Logbook& logbook, MessageKeys& messages, QWidget* parent);
    ~EntryPanel() override;

    // The fields as a contest starts them, the clock running.
    void FormCreate();
    // After a new log: the fields at their defaults in SSB, the cursor in "Znak".
    void resetForNewLog();
    // Puts the keyboard focus into the callsign field, its text selected.
    void focusCallsign();
    // The band, mode or operator list for the pick dialog.
    PickList pickList(PickKind kind) const;
    // Following the radio (unit1_entry_radio.cpp). Called once after
    // start-up; the band list's hint tells the radio's state from then on.
    void followRadio(const RigChoice& choice, const link::RigTiming& timing = {});
    // Lines under the radio's state in the band list's hint, telling which
    // settings were passed over and why.
    void noteIgnoredSettings(const QString& notes);

    // A spot picked on the band map: its call into the callsign field, the
    // band and mode lists set, and the radio, when followed, tuned to it
    // (unit1_entry_radio.cpp). The only time the program sets the radio.
    void takeSpot(const QString& call, const QString& band, const QString& mode, std::int64_t hertz);

    // "Włączenie zegara" of the button row.
    void startClock();
    // The fields in the window's Tab order.
    std::vector<QWidget*> tabChain() const;

signals:
    // "Zarządzanie operatorami", or the drop-down of an empty operator list.
    void operatorEditorRequested();
    void typedQsoChanged(const qz::ui::TypedQso& typed);
    // The clock was stopped (the time is set by hand) or runs again.
    void clockRunning(bool running);
    // Ctrl+Down in the callsign or received-exchange field: the next spot of the band map.
    void spotRequested();

private:
    // The modes' positions in the mode list.
    static constexpr int kSsbPosition = 0;
    static constexpr int kCwPosition = 1;

    void createControls();
    void layOut();
    void connectHandlers();
    void followLogbook();
    void announceTypedQso();

    // Clock and operator list (unit1_entry_panel.cpp).
    void Timer1Timer();
    void ComboBox2Change();
    void ComboBox3Change();
    void ComboBox3DropDown();
    void Button1Click();
    void stopClock();
    void setReportDefaults(const QString& report, int limit);
    void setEntryDefaults(int mode);

    // Storing a QSO (unit1_entry_store.cpp).
    void Button4Click();
    // True when the QSO was stored.
    bool storeQso();
    void CheckBox1Click();
    void Edit8Change();
    // Shows `warning` when the sent exchange holds anything but digits; true when it did.
    bool warnAboutNonDigitExchange(const QString& warning);
    // Whether every field fits the columns the readers take back from the
    // line; the first that does not is named in an error box and gets the
    // focus, its text kept for mending.
    bool everyEntryFits(const std::string& sentExchange);

    // Time and date entry (unit1_entry_time.cpp).
    void Edit2Exit();
    void Edit3Exit();
    // The checks of leaving the field: the text without its blanks written
    // back; a fault shown and the focus put back. True when the text passed.
    bool checkDateField();
    bool checkTimeField();
    void UpDown1Click(UpDown::Button button);
    void PageStepTime();
    void applyMinuteStep(int hours);

    // Keyboard shortcuts and filters (unit1_entry_keys.cpp).
    void Edit4KeyDown(int key, Qt::KeyboardModifiers shift);
    void Edit6KeyDown(int key, Qt::KeyboardModifiers shift);
    void Edit4KeyPress(char& key);
    void Edit6KeyPress(char& key);
    void Edit5KeyPress(char& key);
    void Edit7KeyPress(char& key);
    void Edit6Exit();

    // The function keys' messages (unit1_entry_messages.cpp): F1-F8 send,
    // Ctrl+F1-F8 record the operator's own, F9/F10 change the CW speed; with "Enter sends the message" on, Enter in
    // the two fields sends as well. False when Enter in "Znak" should stay.
    void MessageKeyDown(int key, Qt::KeyboardModifiers shift);
    bool sendOnEnterInCall();
    void storeAndSendOnEnter();
    bool enterSends() const;
    MessageFields typedFields() const;
    MessageMode typedMode() const;

    // The expected exchange (unit1_entry_prediction.cpp): filled into the
    // received exchange field when Enter leaves the callsign field, unless
    // the operator typed there; the field's hint says where it came from.
    void fillExpectedExchange();
    void showExchangeHint();

    // The radio's band and mode list entries, reported after every poll.
    void RadioTuned(const QString& band, const QString& mode);
    void showBandHint();
    void tuneRadio(const QString& mode, std::int64_t hertz);

    StationContext context_;
    Logbook& logbook_;
    MessageKeys& messages_;

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
    QTimer* Timer1 = nullptr;

    // Set by every key-down in the callsign and received-exchange fields.
    bool PageUpKey = false;
    bool PageDownKey = false;

    WorkedBeforeMarker* workedBefore_ = nullptr;
    ExchangePredictor* predictor_ = nullptr;
    // What the program last put into the received exchange field, and
    // whether the operator has typed there since.
    std::optional<Prediction> filled_;
    bool exchangeTyped_ = false;
    FollowingList* bandFollow_ = nullptr;
    FollowingList* modeFollow_ = nullptr;
    QString radioState_;
    // Set only when a spot is picked; made on the first pick.
    std::optional<RigAddress> radioAddress_;
    link::RigctldSession* tuner_ = nullptr;
    QString tuneProblem_;
    QStringList settingNotes_;
};

// Puts the keyboard focus into the field with its text selected, as a field
// does when the focus arrives, so the next keys replace a kept default.
void focusField(QLineEdit* field);

}  // namespace qz::ui
