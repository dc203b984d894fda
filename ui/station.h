#pragma once
// The four windows of the program, created in their fixed order, and the
// wiring between them: the windows ask and tell each other only through the
// signals and plain data connected here. The program and the window tests
// build the same station.

#include "station_context.h"
#include "unit1.h"
#include "unit2.h"
#include "unit3.h"
#include "unit4.h"

namespace qz::ui {

class Station {
public:
    explicit Station(const StationContext& context);

    // Runs the main window's start-up and shows it.
    void start();

    TForm1 form1;
    TForm2 form2;
    TForm3 form3;
    TForm4 form4;
};

}  // namespace qz::ui
