#pragma once
// The operator editor "Nagłówek pliku Cabrillo": the logbook's list of
// operators and the eleven fields of one operator record. Every save and
// every deletion goes through the logbook, which rewrites the whole file and
// then changes the model that this list and the main window's list show.

#include "operator_book.h"
#include "station_context.h"

#include <QWidget>
#include <functional>
#include <string>

class QCloseEvent;
class QLabel;
class QLineEdit;
class QListView;
class QPushButton;

namespace qz::ui {

class Logbook;

class TForm2 : public QWidget {
    Q_OBJECT
public:
    TForm2(StationContext context, Logbook& logbook, QWidget* parent = nullptr);

    // Reloads the lists from the settings file and shows the window (the main
    // window's "Zarządzanie operatorami").
    void open();
    // The first entry of the callsign list equal to `callsign` without regard
    // to case, or -1.
    int findCallsign(const std::string& callsign) const;
    // Selects an entry (-1: none) without filling the fields.
    void selectRow(int row);
    // The selected entry of the callsign list, or -1.
    int selectedRow() const;

    // Fills the fields from the selected entry's record; with no selection the
    // name, e-mail, address, operators and remarks fields are emptied.
    void ListBox1Click();
    // All eleven fields to the values of a new record.
    void resetToNewRecord();
    // Edit1 to Edit10 to the values of a new record; the remarks stay.
    void resetForNewLog();
    // Fields enabled and the save button shown.
    bool isEditing() const;
    // The contest field, the start of the ADIF export's comment.
    QString contestName() const;
    // After a Cabrillo export: the operator whose file was written last, as if
    // picked from the list; one without a record shows the values of a new
    // record, which is what that file's header got. Typing not yet saved is
    // left alone, so the export never throws it away.
    void showExportedOperator(const std::string& callsign);
    // The eleven field texts as the file's bytes.
    OperatorFields fields() const;

    void FormCreate();
    void Button1Click();
    void Button2Click();
    void Button3Click();
    void Button4Click();
    void Button5Click();
    void Edit7KeyPress(char& key);
    void FormCloseQuery();

signals:
    // The close box: the main window is wanted in front.
    void closed();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void createControls();
    void connectHandlers();
    QLineEdit* field(std::size_t index) const;
    void setFields(const OperatorFields& values);
    void setEditing(bool editing);
    // Runs a change of the operator list. A failed write leaves the file as it
    // was and the logbook reads it back; the selected callsign is selected
    // again before the error goes on to the error box.
    void commit(const std::function<void()>& change);

    StationContext context_;
    Logbook& logbook_;
    // The record fields, field 1 (callsign) in Edit1 up to field 11 (remarks) in Edit11.
    QLineEdit* Edit1 = nullptr;
    QLineEdit* Edit2 = nullptr;
    QLineEdit* Edit3 = nullptr;
    QLineEdit* Edit4 = nullptr;
    QLineEdit* Edit5 = nullptr;
    QLineEdit* Edit6 = nullptr;
    QLineEdit* Edit7 = nullptr;
    QLineEdit* Edit8 = nullptr;
    QLineEdit* Edit9 = nullptr;
    QLineEdit* Edit10 = nullptr;
    QLineEdit* Edit11 = nullptr;
    // The logbook's callsigns, entry i belonging to record i of its operators.
    QListView* ListBox1 = nullptr;

    // Set while the program, not the user, changes the callsign list's
    // selection, which then fills no fields.
    bool selectingFromCode_ = false;
    QLabel* Label1 = nullptr;
    QLabel* Label2 = nullptr;
    QLabel* Label3 = nullptr;
    QLabel* Label4 = nullptr;
    QLabel* Label5 = nullptr;
    QLabel* Label6 = nullptr;
    QLabel* Label7 = nullptr;
    QLabel* Label8 = nullptr;
    QLabel* Label9 = nullptr;
    QLabel* Label10 = nullptr;
    QPushButton* Button1 = nullptr;
    QPushButton* Button2 = nullptr;
    QPushButton* Button3 = nullptr;
    QPushButton* Button4 = nullptr;
    QPushButton* Button5 = nullptr;
};

}  // namespace qz::ui
