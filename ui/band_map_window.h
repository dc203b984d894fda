#pragma once
// "Mapa pasma": the spots of the band the band list shows (which follows the
// radio), lowest frequency first, each with its age. The headquarters
// station on a slot the operator still lacks stands on top in the banner's
// colours, a dupe is grey, a new multiplier is marked. Picking a spot
// (double click, Enter, or Ctrl+Down in the entry fields) hands it to the
// main window. Spots are kept while the window is hidden; the list is
// rebuilt at most once a second, so spots pouring in never hold up a key.

#include "band_map.h"
#include "station_context.h"

#include <QString>
#include <QWidget>
#include <chrono>
#include <cstdint>

class QLabel;
class QListView;
class QTimer;

namespace qz::ui {

class BandMapModel;
class Logbook;

class BandMapWindow : public QWidget {
    Q_OBJECT
public:
    BandMapWindow(StationContext context, const Logbook& logbook, QWidget* parent = nullptr);

    void setLifetime(std::chrono::minutes lifetime) { lifetime_ = lifetime; }
    // A spot heard now, from the cluster or from another computer.
    void addSpot(const qz::Spot& spot);
    // The band list's entry ("20M"); another text shows no band.
    void showBand(const QString& bandEntry);
    void showClusterState(const QString& state);
    // F12 and the main window's button.
    void toggle();
    // Ctrl+Down in the entry fields: the spot after the one picked last.
    void pickNext();

    std::size_t spotCount() const { return map_.size(); }

signals:
    void picked(const QString& call, const QString& band, const QString& mode, std::int64_t hertz);

private:
    void refresh();
    void rebuild();
    void pickRow(int position);
    // Whether the current operator's category lets them use spots.
    bool spottingAllowed() const;

    StationContext context_;
    const Logbook& logbook_;
    BandMap map_;
    std::chrono::minutes lifetime_ = kSpotLifetime;
    int band_ = -1;
    QString clusterState_;
    QLabel* Label1 = nullptr;
    QListView* ListBox1 = nullptr;
    BandMapModel* model_ = nullptr;
    QTimer* Timer1 = nullptr;
};

}  // namespace qz::ui
