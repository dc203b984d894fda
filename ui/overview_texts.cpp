#include "overview_texts.h"

#include "codec.h"

#include <QStringList>
#include <algorithm>
#include <iterator>

namespace qz::ui {

QString describeFile(const DataFileReport& report, const std::vector<std::filesystem::path>& folders)
{
    const QString name = QString::fromStdString(report.name);
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
            parts << QStringLiteral("nie można odczytać %1: %2").arg(path, QString::fromStdString(fault.detail));
            break;
        case DataFault::TooLarge: parts << QStringLiteral("plik %1 jest za duży, pominięty").arg(path); break;
        case DataFault::NothingUsable: parts << QStringLiteral("plik %1 jest uszkodzony, pominięty").arg(path); break;
        }
    }
    return parts.join(QStringLiteral("; "));
}

std::vector<std::string> partialMatches(const std::string& typed, const CallList* published, const CallList& logged,
                                        std::size_t limit)
{
    std::vector<std::string> fromLog = logged.containing(typed, limit);
    std::vector<std::string> fromList = published ? published->containing(typed, limit) : std::vector<std::string>();
    std::vector<std::string> merged;
    std::set_union(fromList.begin(), fromList.end(), fromLog.begin(), fromLog.end(), std::back_inserter(merged));
    const auto exact = std::find(merged.begin(), merged.end(), typed);
    if (exact == merged.end() && (logged.contains(typed) || (published && published->contains(typed))))
        merged.insert(merged.begin(), typed);
    else if (exact != merged.end())
        std::rotate(merged.begin(), exact, exact + 1);
    if (merged.size() > limit)
        merged.resize(limit);
    return merged;
}

}  // namespace qz::ui
