#pragma once
// The pick dialog of the band, mode and operator corrections.

#include "station_context.h"

#include <QWidget>

namespace qz::ui {

class TForm1;

class TForm4 : public QWidget {
    Q_OBJECT
public:
    TForm4(const StationContext& context, TForm1* form1, QWidget* parent = nullptr);

private:
    StationContext context_;
    TForm1* form1_;
};

}  // namespace qz::ui
