#include "wave_file.h"

#include <gtest/gtest.h>

namespace qz::wave {
namespace {

std::string le(std::uint32_t value, int bytes)
{
    std::string out;
    for (int i = 0; i < bytes; ++i, value >>= 8)
        out.push_back(static_cast<char>(value & 0xFF));
    return out;
}

std::string chunk(const std::string& id, const std::string& body)
{
    return id + le(static_cast<std::uint32_t>(body.size()), 4) + body + (body.size() % 2 ? std::string(1, '\0') : "");
}

// A "fmt " body: tag, channels, rate, byte rate, block align, bits.
std::string formatBody(std::uint32_t tag, std::uint32_t channels, std::uint32_t rate, std::uint32_t align,
                       std::uint32_t bits)
{
    return le(tag, 2) + le(channels, 2) + le(rate, 4) + le(rate * align, 4) + le(align, 2) + le(bits, 2);
}

std::string riff(const std::string& chunks)
{
    return "RIFF" + le(static_cast<std::uint32_t>(chunks.size() + 4), 4) + "WAVE" + chunks;
}

TEST(WaveFile, ReadsWhatItWritesAndWhatOtherRecordersWrite)
{
    for (const Format format : {Format{Sample::UInt8, 1, 8000}, Format{Sample::Int16, 2, 44100},
                                Format{Sample::Int32, 1, 48000}, Format{Sample::Float, 1, 22050}}) {
        const std::string samples(static_cast<std::size_t>(format.bytesPerFrame() * format.rate / 2), '\x11');
        const std::string file = header(format, static_cast<std::uint32_t>(samples.size())) + samples;
        const std::optional<Sound> sound = read(file);
        ASSERT_TRUE(sound);
        EXPECT_EQ(sound->format, format);
        EXPECT_EQ(sound->offset, kHeaderSize);
        EXPECT_EQ(sound->size, samples.size());
        EXPECT_EQ(format.milliseconds(sound->size), 500);
    }

    // The extensible header with 16-bit samples, an odd-sized chunk of notes
    // before the samples, and a frame cut short at the end.
    const std::string extensible =
        formatBody(0xFFFE, 2, 16000, 4, 16) + le(22, 2) + le(16, 2) + le(3, 4) + le(1, 2) + std::string(14, '\x42');
    const std::optional<Sound> other =
        read(riff(chunk("fmt ", extensible) + chunk("LIST", "abc") + chunk("data", std::string(4 * 100 + 3, 'x'))));
    ASSERT_TRUE(other);
    EXPECT_EQ(other->format, (Format{Sample::Int16, 2, 16000}));
    EXPECT_EQ(other->offset, 12 + 8 + extensible.size() + 8 + 4 + 8);
    EXPECT_EQ(other->size, 400u);
}

TEST(WaveFile, RefusesWhatItCannotPlay)
{
    const std::string pcm = chunk("fmt ", formatBody(1, 1, 8000, 2, 16));
    const std::string data = chunk("data", std::string(100, 'x'));
    ASSERT_TRUE(read(riff(pcm + data)));
    for (const std::string& file : {
             std::string("RIFX") + riff(pcm + data).substr(4),               // another byte order
             riff(chunk("fmt ", formatBody(2, 1, 8000, 2, 16)) + data),      // compressed
             riff(chunk("fmt ", formatBody(1, 1, 8000, 3, 24)) + data),      // 24-bit
             riff(chunk("fmt ", formatBody(1, 0, 8000, 0, 16)) + data),      // no channel
             riff(chunk("fmt ", formatBody(1, 2, 8000, 2, 16)) + data),      // frames of the wrong size
             riff(chunk("fmt ", formatBody(1, 1, 0, 2, 16)) + data),         // no rate
             riff(data + pcm),                                               // samples of no format
             riff(pcm),                                                      // no samples
             riff(pcm + chunk("data", "")),                                  // no samples either
             riff(pcm + data).substr(0, 12 + pcm.size() + 8 + 50),           // cut short
             riff(pcm + "data" + le(0xFFFFFFFF, 4) + std::string(10, 'x')),  // a size beyond any file
         }) {
        EXPECT_FALSE(read(file)) << testing::PrintToString(file);
    }
}

}  // namespace
}  // namespace qz::wave
