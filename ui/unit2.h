#pragma once
// The operator editor.

#include "station_context.h"

#include <QWidget>

namespace qz::ui {

class TForm1;

class TForm2 : public QWidget {
    Q_OBJECT
public:
    TForm2(const StationContext& context, TForm1* form1, QWidget* parent = nullptr);

private:
    StationContext context_;
    TForm1* form1_;
};

}  // namespace qz::ui
