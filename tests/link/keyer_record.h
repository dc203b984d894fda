#pragma once
// What a keyer said, as a test reads it back.

#include "cw_keyer.h"

#include <QObject>
#include <QString>
#include <cstdint>
#include <utility>
#include <vector>

namespace qz::test {

struct KeyerRecord {
    explicit KeyerRecord(link::CwKeyer& keyer)
    {
        QObject::connect(&keyer, &link::CwKeyer::finished,
                         [this](std::uint64_t id, bool aborted) { finished.emplace_back(id, aborted); });
        QObject::connect(&keyer, &link::CwKeyer::problemChanged,
                         [this](const QString& text) { problems.push_back(text); });
    }
    QString problem() const { return problems.empty() ? QString() : problems.back(); }

    std::vector<std::pair<std::uint64_t, bool>> finished;
    std::vector<QString> problems;
};

}  // namespace qz::test
