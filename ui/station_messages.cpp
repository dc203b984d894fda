// The links the function keys send through: the CW keyer that --cw or its
// file chose, and rigctld at the radio's address for the radio's keyer and
// the PTT of the recordings.

#include "codec.h"
#include "cwdaemon_keyer.h"
#include "rig_keyer.h"
#include "rig_ptt.h"
#include "rigctld_session.h"
#include "setting_notes.h"
#include "station.h"

#include <chrono>

namespace qz::ui {
namespace {

// How long past a text's own keying time cwdaemon may take to say it is done.
constexpr std::chrono::milliseconds kCwdaemonPatience{3000};

}  // namespace

void Station::chooseCw(const CwChoice& cw, const RigChoice& rig)
{
    form1.noteIgnoredSettings(cwSettingNotes(cw.ignored));
    // One connection for keying and PTT; the band following keeps its own.
    if (rig.address) {
        rigSession_ = std::make_shared<link::RigctldSession>(*rig.address, link::SessionTiming{});
        rigSession_->start();
        form1.keyRadioThrough(std::make_unique<link::RigPtt>(rigSession_));
    }
    const QString source = fromAscii(cw.source);
    switch (cw.transport) {
    case CwTransport::Off:
        form1.sendCwThrough(nullptr, source.isEmpty() ? QString() : QStringLiteral("off w %1").arg(source));
        return;
    case CwTransport::Cwdaemon:
        form1.sendCwThrough(std::make_unique<link::CwdaemonKeyer>(*cw.cwdaemon, kCwdaemonPatience), source);
        return;
    case CwTransport::Rig:
        if (!rig.address) {
            form1.sendCwThrough(nullptr, QStringLiteral("rig w %1, a radio nie jest śledzone").arg(source));
            return;
        }
        form1.sendCwThrough(std::make_unique<link::RigKeyer>(rigSession_), source);
        return;
    }
}

}  // namespace qz::ui
