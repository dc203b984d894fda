#pragma once
// The sample formats of WAVE files and of Qt's sound devices, one for the other.

#include "wave_file.h"

#include <QAudioFormat>
#include <optional>

namespace qz::link {

QAudioFormat toAudioFormat(const wave::Format& format);
// Nothing for a format that a WAVE file of uncompressed samples cannot hold.
std::optional<wave::Format> toWaveFormat(const QAudioFormat& format);

}  // namespace qz::link
