#include "overview_texts.h"

#include "codec.h"

#include <QStringList>
#include <algorithm>

namespace qz::ui {

QString describeFile(const DataFileReport& report, const std::vector<std::filesystem::path>& folders)
{
    const QString name = fromAscii(report.name);
    QStringList parts;
    if (report.used) {
        QString line = QStringLiteral("%1: %2").arg(name, fromPath(*report.used));
        if (report.skipped > 0)
            line += QStringLiteral(" (pominięto %1 nieczytelnych wpisów)").arg(report.skipped);
        parts << line;
    } else {
        QStringList searched;
        for (const auto& folder : folders)
            searched << fromPath(folder);
        parts << QStringLiteral("Brak pliku %1 (szukano w: %2)").arg(name, searched.join(QStringLiteral(", ")));
    }
    for (const DataFileFault& fault : report.faults) {
        const QString path = fromPath(fault.path);
        switch (fault.fault) {
        case DataFault::Unreadable:
            parts << QStringLiteral("nie można odczytać %1: %2").arg(path, fromAscii(fault.detail));
            break;
        case DataFault::TooLarge: parts << QStringLiteral("plik %1 jest za duży, pominięty").arg(path); break;
        case DataFault::NothingUsable: parts << QStringLiteral("plik %1 jest uszkodzony, pominięty").arg(path); break;
        }
    }
    return parts.join(QStringLiteral("; "));
}

std::vector<std::string> partialMatches(const std::string& typed, const CallList* published, const CallList& own,
                                        const CallList& logged, std::size_t limit)
{
    std::vector<std::string> matches;
    if (limit > 0 && (logged.contains(typed) || (published && published->contains(typed))))
        matches.push_back(typed);
    // Each group brings at most `limit` callsigns, of which at most as many
    // as are already taken are repeats: enough to fill the rest.
    const auto take = [&](const std::vector<std::string>& group) {
        for (const std::string& call : group)
            if (matches.size() < limit && std::find(matches.begin(), matches.end(), call) == matches.end())
                matches.push_back(call);
    };
    take(own.containing(typed, limit));
    take(logged.containing(typed, limit));
    if (published)
        take(published->containing(typed, limit));
    return matches;
}

}  // namespace qz::ui
