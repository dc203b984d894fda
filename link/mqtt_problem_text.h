#pragma once
// What the main window says when the broker cannot be reached or refuses this
// computer: in Polish, as every text of the program, never the library's own
// English.

#include "mqtt_client.h"

#include <QString>

namespace qz::link {

QString mqttProblemText(const MqttProblem& problem);

}  // namespace qz::link
