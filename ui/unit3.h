#pragma once
// The ADIF export window "Zapis pliku ADIF": one comment for every record and
// the button that writes the files. While it is shown the main window is
// hidden; going back, by its button or its close box, asks for the main
// window again.

#include "station_context.h"

#include <QPoint>
#include <QWidget>

class QCloseEvent;
class QLabel;
class QLineEdit;
class QPushButton;
class QShowEvent;

namespace qz::ui {

class TForm3 : public QWidget {
    Q_OBJECT
public:
    explicit TForm3(StationContext context, QWidget* parent = nullptr);

    // Shows the window centred on `centre` with the comment "<contest> <year>",
    // the year of the computer's calendar.
    void open(const QString& contest, QPoint centre);

    void Button1Click();
    void Button2Click();
    void FormCloseQuery();

signals:
    // The files are written: the main window's view is read anew.
    void exported();
    // "Powrót" or the close box: the main window is wanted back.
    void returned();

protected:
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    StationContext context_;
    QLabel* Label1 = nullptr;
    QLineEdit* Edit1 = nullptr;
    QPushButton* Button1 = nullptr;
    QPushButton* Button2 = nullptr;
    QPoint centre_;
};

}  // namespace qz::ui
