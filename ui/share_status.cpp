#include "share_status.h"

#include "codec.h"
#include "log_line.h"
#include "share_link.h"
#include "station_files.h"

#include <QLocale>
#include <QStringList>
#include <cstdlib>
#include <set>

namespace qz::ui {
namespace {

QString lastQsoText(const std::string& line)
{
    if (line.empty())
        return {};
    return QStringLiteral(", ostatnie: %1 %2 %3")
        .arg(fromCp1250(callOf(line)), fromCp1250(dateOf(line)), fromCp1250(timeOf(line)));
}

QString clockText(const std::string& computer, std::int64_t offset)
{
    const QString seconds = QLocale(QLocale::Polish).toString(static_cast<double>(std::llabs(offset)) / 1000.0, 'f', 1);
    return QStringLiteral("Zegar komputera %1 %2 o %3 s od zegara tego komputera.")
        .arg(fromAscii(computer), offset > 0 ? QStringLiteral("spieszy się") : QStringLiteral("spóźnia się"), seconds);
}

// Every computer heard of, by its presence or by its QSOs.
QStringList computerLines(const link::ShareLink& link)
{
    const auto& peers = link.peers().peers();
    const auto& records = link.state().computers();
    std::set<std::string> computers;
    for (const auto& entry : peers)
        computers.insert(entry.first);
    for (const auto& entry : records)
        computers.insert(entry.first);
    QStringList lines;
    for (const std::string& computer : computers) {
        const auto peer = peers.find(computer);
        const bool online = peer != peers.end() && peer->second.online;
        const auto record = records.find(computer);
        const ComputerRecord shared = record == records.end() ? ComputerRecord{} : record->second;
        const QString name =
            computer == link.peers().self() ? fromAscii(computer) + QStringLiteral(" (ten)") : fromAscii(computer);
        lines << QStringLiteral("%1: %2, %3 QSO%4")
                     .arg(name, online ? QStringLiteral("połączony") : QStringLiteral("rozłączony"))
                     .arg(shared.qsos)
                     .arg(lastQsoText(shared.lastLine));
    }
    return lines;
}

}  // namespace

QString computersText(int count)
{
    const int tens = count % 100;
    const int ones = count % 10;
    if (count == 1)
        return QStringLiteral("1 komputer");
    if (ones >= 2 && ones <= 4 && (tens < 12 || tens > 14))
        return QStringLiteral("%1 komputery").arg(count);
    return QStringLiteral("%1 komputerów").arg(count);
}

ShareStatus shareStatusOf(const link::ShareLink& link)
{
    ShareStatus status;
    QStringList details{
        QStringLiteral("Broker: %1, stacja %2").arg(fromAscii(link.broker()), fromAscii(link.station()))};
    if (!link.formerName().empty())
        details << QStringLiteral("Folder stacji skopiowano z komputera %1: ten komputer dzieli log pod nową nazwą %2.")
                       .arg(fromAscii(link.formerName()), fromAscii(link.peers().self()));
    const bool refused = !link.state().canSend();
    if (refused)
        details << QStringLiteral("Inne komputery odrzucają zmiany tego komputera: dziennik %1 zawiera numer "
                                  "większy, niż przyjmują. QSO zapisane tutaj do nich nie docierają.")
                       .arg(fromAscii(kShareJournalName));
    const auto clocks = link.peers().clockDifferences();
    if (!link.connected()) {
        status.text = QStringLiteral("Sieć: brak połączenia");
        status.warning = true;
        if (!link.connectionProblem().isEmpty())
            details << link.connectionProblem();
    } else {
        status.text = QStringLiteral("Sieć: ") + computersText(link.peers().online());
        if (refused) {
            status.text += QStringLiteral(", zmiany odrzucane!");
            status.warning = true;
        } else if (!clocks.empty()) {
            status.text += QStringLiteral(", różne zegary!");
            status.warning = true;
        }
    }
    details << computerLines(link);
    for (const auto& [computer, offset] : clocks)
        details << clockText(computer, offset);
    if (link.dropped() > 0)
        details << QStringLiteral("Odrzucone wiadomości: %1").arg(link.dropped());
    if (!link.journalProblem().isEmpty()) {
        status.text = QStringLiteral("Sieć: błąd zapisu!");
        status.warning = true;
        details << link.journalProblem();
    }
    status.details = details.join(QLatin1Char('\n'));
    return status;
}

}  // namespace qz::ui
