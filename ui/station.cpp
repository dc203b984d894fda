#include "station.h"

#include "failure_box.h"

#include <QLineEdit>

namespace qz::ui {

Station::Station(const StationContext& context)
    : form1(context), form2(context, &form1), form3(context, &form1), form4(context, &form1),
      overview(context, form1, form2)
{
    form1.setPeers(&form2, &form3, &form4);
    QObject::connect(&form1, &TForm1::overviewRequested, &overview, &ContestOverview::toggle);
}

void Station::start()
{
    guarded(form1.context().platform, [this] { form1.FormCreate(); });
    form1.show();
    // The operator starts by typing a callsign over the headquarters default.
    TForm1::focusField(form1.Edit4);
}

}  // namespace qz::ui
