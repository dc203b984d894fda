#pragma once
// The values the entry fields start a contest with. The headquarters station's
// callsign and exchange are also kept from one QSO to the next.

#include "codec.h"
#include "headquarters.h"

#include <QString>

namespace qz::ui {

inline const QString kHeadquartersCallText = fromAscii(kHeadquartersCall);
inline const QString kHeadquartersExchangeText = fromAscii(kHeadquartersExchange);
// The headquarters station's ITU zone.
inline const QString kDefaultSentExchange = QStringLiteral("28");

}  // namespace qz::ui
