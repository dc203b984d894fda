#pragma once
// The worked-before warning of the main window: while a callsign is typed, the
// callsign field turns red when the current operator has already worked that
// station on the selected band and mode (a dupe), and yellow when only on
// other bands or modes; its tooltip (which a screen reader also reads) says
// when and where. It follows the band and mode lists, whoever changes them,
// and the logbook's index of the operator's QSOs.

#include "worked_before.h"

#include <QObject>
#include <QPalette>
#include <string>
#include <vector>

class QComboBox;
class QLineEdit;

namespace qz {
struct Band;
struct Mode;
}  // namespace qz

namespace qz::ui {

class Logbook;

// "20M CW" for a band key and mode letters of the log.
QString slotName(std::string_view bandKey, std::string_view modeLetters);

class WorkedBeforeMarker : public QObject {
    Q_OBJECT
public:
    WorkedBeforeMarker(QLineEdit* callField, const QComboBox* bandList, const QComboBox* modeList,
                       const Logbook& logbook, QObject* parent);

    // The callsign typed in the field, as it would be stored.
    std::string typedCall() const;
    WorkedVerdict verdict() const { return verdict_; }

signals:
    // After every refresh: the typed callsign, the slot, the operator or the
    // log changed.
    void changed();

private:
    void refresh();
    // The QSOs of a dupe's own band and mode (the selected ones) are listed first.
    QString tooltipFor(const std::string& call, std::vector<WorkedQso> qsos, const Band* band, const Mode* mode) const;

    QLineEdit* callField_;
    const QComboBox* bandList_;
    const QComboBox* modeList_;
    const Logbook& logbook_;
    WorkedVerdict verdict_ = WorkedVerdict::New;
    QPalette plain_;
};

}  // namespace qz::ui
