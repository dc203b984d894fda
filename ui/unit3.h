#pragma once
// The ADIF export window "Zapis pliku ADIF": one comment for every record and
// the button that writes the files. While it is shown the main window is
// hidden; going back, by its button or its close box, shows the main window.

#include "contest_export.h"
#include "failure_box.h"
#include "station_context.h"

#include <QWidget>

class QCloseEvent;
class QLabel;
class QLineEdit;
class QPushButton;
class QShowEvent;

namespace qz::ui {

class TForm1;

class TForm3 : public QWidget {
    Q_OBJECT
public:
    TForm3(const StationContext& context, TForm1* form1, QWidget* parent = nullptr);

    QLabel* Label1;
    QLineEdit* Edit1;
    QPushButton* Button1;
    QPushButton* Button2;

    void Button1Click();
    void Button2Click();
    void FormCloseQuery();

protected:
    void closeEvent(QCloseEvent* event) override;
    // Every showing centres the window on the main window.
    void showEvent(QShowEvent* event) override;

private:
    template <typename Handler>
    auto guard(Handler handler)
    {
        return [this, handler](auto&&...) { guarded(context_.platform, [&] { (this->*handler)(); }); };
    }

    StationContext context_;
    TForm1* form1_;
};

// Shows the error box of an export that stopped before writing or could not
// write the files of some operators; false when every file was written. Both
// exports report through it.
bool reportStoppedExport(Platform& platform, const ExportResult& result);

}  // namespace qz::ui
