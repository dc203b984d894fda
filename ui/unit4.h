#pragma once
// The pick dialog of the band, mode and operator corrections: a list filled by
// the main window's command and an OK that writes the picked value into the
// selected QSO. It is not modal, and its caption says which field it changes.

#include "station_context.h"

#include <QWidget>

class QComboBox;
class QPushButton;

namespace qz::ui {

class TForm1;

// The captions the main window's commands give the dialog.
inline const QString kPickBandCaption = QStringLiteral("Wybór pasma");
inline const QString kPickModeCaption = QStringLiteral("Wybór emisji");
inline const QString kPickOperatorCaption = QStringLiteral("Wybór operatora");

class TForm4 : public QWidget {
    Q_OBJECT
public:
    TForm4(const StationContext& context, TForm1* form1, QWidget* parent = nullptr);

    QComboBox* ComboBox1;
    QPushButton* Button1;

    void Button1Click();

private:
    StationContext context_;
    TForm1* form1_;
};

}  // namespace qz::ui
