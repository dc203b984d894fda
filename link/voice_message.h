#pragma once
// Where the recorded voice messages lie in the station folder: each operator
// records their own call, so each has a folder of their own.

#include <QString>

namespace qz::link {

// "glos/SP5ABC/F1.wav" for the operator's callsign and the key's number.
inline QString voiceMessageName(const QString& operatorCall, int key)
{
    return QStringLiteral("glos/%1/F%2.wav").arg(operatorCall).arg(key);
}

}  // namespace qz::link
