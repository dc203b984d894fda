#pragma once
// The operator editor "Nagłówek pliku Cabrillo": the list of operators from the
// operator settings file and the eleven fields of one operator record. Every
// save and every deletion rewrites the whole file and keeps the main window's
// operator list in step.

#include "operator_book.h"
#include "station_context.h"

#include <QWidget>
#include <string>

class QCloseEvent;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

namespace qz::ui {

class TForm1;

class TForm2 : public QWidget {
    Q_OBJECT
public:
    TForm2(const StationContext& context, TForm1* form1, QWidget* parent = nullptr);

    // The record fields, field 1 (callsign) in Edit1 up to field 11 (remarks) in Edit11.
    QLineEdit* Edit1;
    QLineEdit* Edit2;
    QLineEdit* Edit3;
    QLineEdit* Edit4;
    QLineEdit* Edit5;
    QLineEdit* Edit6;
    QLineEdit* Edit7;
    QLineEdit* Edit8;
    QLineEdit* Edit9;
    QLineEdit* Edit10;
    QLineEdit* Edit11;
    // The callsigns, entry i belonging to record i of `operators()`.
    QListWidget* ListBox1;

    // Reloads the lists from the settings file and shows the window (the main
    // window's "Zarządzanie operatorami").
    void open();
    // Empties the lists and reads the settings file into them; false when
    // there is no file (the lists stay empty).
    bool loadRecords();
    const OperatorList& operators() const { return ListBox2; }
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

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void createControls();
    void connectHandlers();
    QLineEdit* field(std::size_t index) const;
    void setFields(const OperatorFields& values);
    void setEditing(bool editing);
    // Shows the callsigns of the record list.
    void showCallsigns();
    // Writes `records` to the settings file and then makes them the record
    // list. A failed write leaves the file as it was; the lists and the main
    // window's operator list are then read back from the file before the
    // error goes on to the error box.
    void commit(const OperatorList& records);
    void reloadAfterFailedWrite();
    template <typename Handler>
    auto guard(Handler handler)
    {
        return [this, handler](auto&&...) { guarded(context_.platform, [&] { (this->*handler)(); }); };
    }

    StationContext context_;
    TForm1* form1_;
    // The record list; never shown.
    OperatorList ListBox2;
    QLabel* Label1;
    QLabel* Label2;
    QLabel* Label3;
    QLabel* Label4;
    QLabel* Label5;
    QLabel* Label6;
    QLabel* Label7;
    QLabel* Label8;
    QLabel* Label9;
    QLabel* Label10;
    QPushButton* Button1;
    QPushButton* Button2;
    QPushButton* Button3;
    QPushButton* Button4;
    QPushButton* Button5;
};

}  // namespace qz::ui
