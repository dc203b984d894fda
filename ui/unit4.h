#pragma once
// The pick dialog of the band, mode and operator corrections: a list filled by
// the main window's command and an OK that hands the picked entry to whoever
// applies it. It is not modal, and its caption says which field it changes.

#include "pick_kind.h"
#include "station_context.h"

#include <QStringList>
#include <QWidget>
#include <functional>

class QComboBox;
class QPushButton;

namespace qz::ui {

class TForm4 : public QWidget {
    Q_OBJECT
public:
    // What OK does with the picked entry, by its position in the list; the
    // dialog stays open when that fails.
    using PickHandler = std::function<void(PickKind kind, int position, const QString& entry)>;

    TForm4(StationContext context, PickHandler onPick, QWidget* parent = nullptr);

    // Fills the list, preselects `selected` (-1: none), sets the caption of
    // the kind and shows the dialog without waiting.
    void open(PickKind kind, const QStringList& entries, int selected);

    void Button1Click();

private:
    StationContext context_;
    QComboBox* ComboBox1 = nullptr;
    QPushButton* Button1 = nullptr;
    PickHandler onPick_;
    PickKind kind_ = PickKind::Band;
};

}  // namespace qz::ui
