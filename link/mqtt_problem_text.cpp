#include "mqtt_problem_text.h"

#include <mosquitto.h>

#include <cerrno>

namespace qz::link {
namespace {

QString lostText() { return QStringLiteral("Połączenie z brokerem zostało przerwane."); }

// The broker's answer to the connection (MQTT 3.1.1).
QString refusalText(int code)
{
    switch (code) {
    case 1: return QStringLiteral("Broker nie zna wersji protokołu MQTT tego programu.");
    case 2: return QStringLiteral("Broker nie przyjął nazwy tego komputera.");
    case 3: return QStringLiteral("Broker jest chwilowo niedostępny.");
    case 4: return QStringLiteral("Broker nie przyjął użytkownika lub hasła (user, password).");
    case 5: return QStringLiteral("Broker nie pozwala temu użytkownikowi się połączyć.");
    default: return QStringLiteral("Broker odmówił połączenia (kod %1).").arg(code);
    }
}

QString systemText(int error)
{
    switch (error) {
    case ECONNREFUSED:
        return QStringLiteral("Pod tym adresem broker nie przyjmuje połączeń: nie działa albo port jest inny.");
    case ETIMEDOUT: return QStringLiteral("Broker nie odpowiada.");
    case EHOSTUNREACH: return QStringLiteral("Komputer brokera jest nieosiągalny.");
    case ENETUNREACH:
    case ENETDOWN: return QStringLiteral("Sieć jest nieosiągalna: czy ten komputer jest do niej podłączony?");
    case ECONNRESET:
    case EPIPE: return lostText();
    case EADDRNOTAVAIL: return QStringLiteral("Adres brokera nie jest osiągalny z tego komputera.");
    default: return QStringLiteral("Błąd systemu nr %1 przy połączeniu z brokerem.").arg(error);
    }
}

QString errorText(const MqttProblem& problem)
{
    switch (problem.code) {
    case MOSQ_ERR_ERRNO: return systemText(problem.systemError);
    case MOSQ_ERR_CONN_LOST: return lostText();
    case MOSQ_ERR_KEEPALIVE: return QStringLiteral("Broker przestał odpowiadać.");
    case MOSQ_ERR_NO_CONN: return QStringLiteral("Brak połączenia z brokerem.");
    case MOSQ_ERR_CONN_REFUSED: return QStringLiteral("Broker odmówił połączenia.");
    case MOSQ_ERR_EAI:
    case MOSQ_ERR_LOOKUP: return QStringLiteral("Nie znaleziono komputera brokera o tej nazwie.");
    case MOSQ_ERR_AUTH: return QStringLiteral("Broker nie przyjął użytkownika lub hasła (user, password).");
    case MOSQ_ERR_ACL_DENIED: return QStringLiteral("Broker nie daje temu użytkownikowi dostępu.");
    case MOSQ_ERR_PROTOCOL:
    case MOSQ_ERR_MALFORMED_PACKET: return QStringLiteral("Broker odpowiada niezgodnie z protokołem MQTT.");
    case MOSQ_ERR_ADMINISTRATIVE_ACTION: return QStringLiteral("Broker zamknął połączenie.");
    case MOSQ_ERR_NOMEM: return QStringLiteral("Brak pamięci na połączenie z brokerem.");
    case MOSQ_ERR_INVAL: return QStringLiteral("Błędne ustawienia połączenia z brokerem.");
    default: return QStringLiteral("Błąd połączenia z brokerem (kod %1).").arg(problem.code);
    }
}

}  // namespace

QString mqttProblemText(const MqttProblem& problem)
{
    return problem.kind == MqttProblem::Kind::Refused ? refusalText(problem.code) : errorText(problem);
}

}  // namespace qz::link
