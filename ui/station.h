#pragma once
// The four windows of the program, created in their fixed order and linked to
// each other. The program and the window tests build the same station.

#include "contest_overview.h"
#include "station_context.h"
#include "unit1.h"
#include "unit2.h"
#include "unit3.h"
#include "unit4.h"

namespace qz::ui {

class Station {
public:
    explicit Station(const StationContext& context);

    // Runs the main window's start-up under the error box and shows it.
    void start();

    TForm1 form1;
    TForm2 form2;
    TForm3 form3;
    TForm4 form4;
    ContestOverview overview;
};

}  // namespace qz::ui
