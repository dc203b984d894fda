#include "wave_file.h"

namespace qz::wave {
namespace {

constexpr std::uint16_t kPcm = 1;
constexpr std::uint16_t kFloat = 3;
constexpr std::uint16_t kExtensible = 0xFFFE;
constexpr std::size_t kChunkHeader = 8;
constexpr std::size_t kFormatSize = 16;
// The extensible header's sub-format begins after its own 8 bytes.
constexpr std::size_t kSubFormatAt = 24;
constexpr int kMaxChannels = 8;
constexpr int kMaxRate = 384000;

std::uint32_t le(std::string_view bytes, std::size_t at, std::size_t count)
{
    std::uint32_t value = 0;
    for (std::size_t i = count; i-- > 0;)
        value = (value << 8) | static_cast<unsigned char>(bytes[at + i]);
    return value;
}

void put(std::string& out, std::uint32_t value, std::size_t count)
{
    for (std::size_t i = 0; i < count; ++i, value >>= 8)
        out.push_back(static_cast<char>(value & 0xFF));
}

int bitsOf(Sample sample)
{
    switch (sample) {
    case Sample::UInt8: return 8;
    case Sample::Int16: return 16;
    case Sample::Int32:
    case Sample::Float: return 32;
    }
    return 0;
}

std::optional<Sample> sampleOf(std::uint32_t tag, std::uint32_t bits)
{
    if (tag == kFloat)
        return bits == 32 ? std::optional(Sample::Float) : std::nullopt;
    if (tag != kPcm)
        return std::nullopt;
    switch (bits) {
    case 8: return Sample::UInt8;
    case 16: return Sample::Int16;
    case 32: return Sample::Int32;
    default: return std::nullopt;
    }
}

std::optional<Format> formatOf(std::string_view chunk)
{
    if (chunk.size() < kFormatSize)
        return std::nullopt;
    std::uint32_t tag = le(chunk, 0, 2);
    if (tag == kExtensible) {
        if (chunk.size() < kSubFormatAt + 2)
            return std::nullopt;
        tag = le(chunk, kSubFormatAt, 2);
    }
    const auto channels = static_cast<int>(le(chunk, 2, 2));
    const auto rate = le(chunk, 4, 4);
    const auto blockAlign = static_cast<int>(le(chunk, 12, 2));
    const std::optional<Sample> sample = sampleOf(tag, le(chunk, 14, 2));
    if (!sample || channels < 1 || channels > kMaxChannels || rate < 1 || rate > kMaxRate)
        return std::nullopt;
    const Format format{*sample, channels, static_cast<int>(rate)};
    if (blockAlign != format.bytesPerFrame())
        return std::nullopt;
    return format;
}

}  // namespace

int Format::bytesPerFrame() const { return bitsOf(sample) / 8 * channels; }

long long Format::milliseconds(std::size_t bytes) const
{
    return static_cast<long long>(bytes) * 1000 / (static_cast<long long>(bytesPerFrame()) * rate);
}

std::optional<Sound> read(std::string_view file)
{
    if (file.size() < 12 || file.substr(0, 4) != "RIFF" || file.substr(8, 4) != "WAVE")
        return std::nullopt;
    std::optional<Format> format;
    for (std::size_t at = 12; at + kChunkHeader <= file.size();) {
        const std::string_view id = file.substr(at, 4);
        const std::size_t size = le(file, at + 4, 4);
        const std::size_t start = at + kChunkHeader;
        if (size > file.size() - start)
            return std::nullopt;
        if (id == "fmt ") {
            format = formatOf(file.substr(start, size));
            if (!format)
                return std::nullopt;
        } else if (id == "data") {
            const auto frame = static_cast<std::size_t>(format ? format->bytesPerFrame() : 0);
            if (frame == 0 || size < frame)
                return std::nullopt;
            return Sound{*format, start, size - size % frame};
        }
        // Chunks are padded to an even length.
        at = start + size + size % 2;
    }
    return std::nullopt;
}

std::string header(const Format& format, std::uint32_t dataSize)
{
    const auto frame = static_cast<std::uint32_t>(format.bytesPerFrame());
    const auto rate = static_cast<std::uint32_t>(format.rate);
    std::string out = "RIFF";
    put(out, dataSize + static_cast<std::uint32_t>(kHeaderSize) - 8, 4);
    out += "WAVEfmt ";
    put(out, kFormatSize, 4);
    put(out, format.sample == Sample::Float ? kFloat : kPcm, 2);
    put(out, static_cast<std::uint32_t>(format.channels), 2);
    put(out, rate, 4);
    put(out, rate * frame, 4);
    put(out, frame, 2);
    put(out, static_cast<std::uint32_t>(bitsOf(format.sample)), 2);
    out += "data";
    put(out, dataSize, 4);
    return out;
}

}  // namespace qz::wave
