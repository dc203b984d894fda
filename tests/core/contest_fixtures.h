#pragma once
// A small country file and log lines for the contest tests: a made-up
// country for the station's own QZ prefix, and a few real ones.

#include "log_line.h"

#include <string>

namespace qz::test {

inline const std::string kSmallCountryFile =
    "Testland:                 15:  28:  EU:   52.00:   -19.00:    -1.0:  QZ:\n"
    "    QZ,=QZ9MM(5)[8]{NA};\n"
    "Germany:                  14:  28:  EU:   51.00:   -10.00:    -1.0:  DL:\n"
    "    DA,DL,=DL0XX/LH;\n"
    "United States:            05:  08:  NA:   37.60:    91.87:     5.0:  K:\n"
    "    K,W,\n"
    "    KH6(31)[61]{OC}<21.12/157.48>~10.0~;\n"
    "Japan:                    25:  45:  AS:   36.40:  -138.38:    -9.0:  JA:\n"
    "    JA;\n"
    "Finland:                  15:  18:  EU:   63.78:   -27.08:    -2.0:  OH:\n"
    "    OH;\n"
    "Christmas Island:         29:  54:  OC:  -10.48:  -105.62:    -7.0:  VK9X:\n"
    "    VK9X;\n";

// One QSO line as the main window stores it.
inline std::string contestQso(const std::string& op, const std::string& call, const char* band, const char* mode,
                              const std::string& received, const std::string& time = "12:00",
                              const std::string& sent = "28", const std::string& date = "2026-07-11")
{
    return composeLine({date, time, std::string(*bandColumnFor(band)), std::string(*modeColumnFor(mode)), op, "599",
                        sent, call, "599", received});
}

}  // namespace qz::test
