#pragma once
// The worked-before warning of the main window: while a callsign is typed, the
// callsign field turns red when the current operator has already worked that
// station on the selected band and mode (a dupe), and yellow when only on
// other bands or modes; its tooltip (which a screen reader also reads) says
// when and where. It follows the band, mode and operator lists, whoever
// changes them, and every change of the log.

#include "worked_before.h"

#include <QObject>
#include <QPalette>
#include <optional>
#include <string>

namespace qz::ui {

class TForm1;

// The band key and mode letters of the main window's selected entries;
// nothing when the list holds typed text.
std::optional<std::string> selectedBandKey(const TForm1& form);
std::optional<std::string> selectedModeLetters(const TForm1& form);

// "20M CW" for a band key and mode letters of the log.
QString slotName(std::string_view bandKey, std::string_view modeLetters);

class WorkedBeforeMarker : public QObject {
    Q_OBJECT
public:
    explicit WorkedBeforeMarker(TForm1& form);

    // The current operator's QSOs.
    const WorkedBefore& index() const { return index_; }
    // The callsign typed in the field, as it would be stored.
    std::string typedCall() const;
    WorkedVerdict verdict() const { return verdict_; }

signals:
    // After every refresh: the typed callsign, the slot, the operator or the
    // log changed.
    void changed();

private:
    void rebuild(const std::vector<std::string_view>& operatorLines);
    void followOperator();
    void refresh();
    // The QSOs of a dupe's own band and mode (the selected ones) are listed first.
    QString tooltipFor(const std::string& call, std::vector<WorkedQso> qsos, const std::optional<std::string>& band,
                       const std::optional<std::string>& mode) const;

    TForm1& form_;
    WorkedBefore index_;
    WorkedVerdict verdict_ = WorkedVerdict::New;
    QPalette plain_;
};

}  // namespace qz::ui
