#include "wave_audio.h"

namespace qz::link {

QAudioFormat toAudioFormat(const wave::Format& format)
{
    QAudioFormat audio;
    audio.setSampleRate(format.rate);
    audio.setChannelCount(format.channels);
    switch (format.sample) {
    case wave::Sample::UInt8: audio.setSampleFormat(QAudioFormat::UInt8); break;
    case wave::Sample::Int16: audio.setSampleFormat(QAudioFormat::Int16); break;
    case wave::Sample::Int32: audio.setSampleFormat(QAudioFormat::Int32); break;
    case wave::Sample::Float: audio.setSampleFormat(QAudioFormat::Float); break;
    }
    return audio;
}

std::optional<wave::Format> toWaveFormat(const QAudioFormat& format)
{
    wave::Format wave{wave::Sample::Int16, format.channelCount(), format.sampleRate()};
    switch (format.sampleFormat()) {
    case QAudioFormat::UInt8: wave.sample = wave::Sample::UInt8; break;
    case QAudioFormat::Int16: wave.sample = wave::Sample::Int16; break;
    case QAudioFormat::Int32: wave.sample = wave::Sample::Int32; break;
    case QAudioFormat::Float: wave.sample = wave::Sample::Float; break;
    default: return std::nullopt;
    }
    if (wave.channels < 1 || wave.rate < 1)
        return std::nullopt;
    return wave;
}

}  // namespace qz::link
