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
    return id + le(static_cast<std::uint32_t>(body.size()), 4) + body + std::string(body.size() % 2, '\0');
}

// tag, channels, rate, byte rate, block align, bits
std::string fmt(std::uint32_t tag, std::uint32_t channels, std::uint32_t rate, std::uint32_t align, std::uint32_t bits)
{
    return chunk("fmt ", le(tag, 2) + le(channels, 2) + le(rate, 4) + le(rate * align, 4) + le(align, 2) + le(bits, 2));
}

std::string riff(const std::string& chunks) { return "RIFF" + le(0, 4) + "WAVE" + chunks; }

// The program's own files are read back through the player; these are other
// recorders' and broken ones.
TEST(WaveFile, ReadsOtherRecordersFilesAndRefusesWhatItCannotPlay)
{
    // The extensible header, an odd-sized chunk of notes, a frame cut short.
    const std::string extensible = "fmt " + le(40, 4) + fmt(0xFFFE, 2, 16000, 4, 16).substr(8) + le(22, 2) + le(16, 2) +
                                   le(3, 4) + le(1, 2) + std::string(14, 'g');
    const std::optional<Sound> other =
        read(riff(extensible + chunk("LIST", "abc") + chunk("data", std::string(403, 'x'))));
    ASSERT_TRUE(other);
    EXPECT_EQ(other->format, (Format{Sample::Int16, 2, 16000}));
    EXPECT_EQ(other->offset, 12 + extensible.size() + 12 + 8);
    EXPECT_EQ(other->size, 400u);

    const std::string data = chunk("data", std::string(100, 'x'));
    for (const std::string& file : {
             riff(fmt(2, 1, 8000, 2, 16) + data),                                 // compressed
             riff(fmt(1, 1, 8000, 3, 24) + data),                                 // 24-bit
             riff(fmt(1, 0, 8000, 0, 16) + data),                                 // no channel
             riff(fmt(1, 2, 8000, 2, 16) + data),                                 // frames of the wrong size
             riff(data + fmt(1, 1, 8000, 2, 16)),                                 // samples of no format yet
             riff(fmt(1, 1, 8000, 2, 16) + "data" + le(0xFFFFFFFF, 4) + "xxxx"),  // beyond the end
         })
        EXPECT_FALSE(read(file)) << testing::PrintToString(file);
}

}  // namespace
}  // namespace qz::wave
