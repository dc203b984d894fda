#pragma once
// The RIFF WAVE files of the recorded voice messages: uncompressed samples
// behind a header that says their format. The program writes the plain
// 44-byte form and plays that and what other recorders write (further chunks,
// the extensible format header), but nothing compressed.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace qz::wave {

enum class Sample { UInt8, Int16, Int32, Float };

struct Format {
    Sample sample = Sample::Int16;
    int channels = 1;
    int rate = 8000;

    int bytesPerFrame() const;
    // How long `bytes` of samples play, in milliseconds.
    long long milliseconds(std::size_t bytes) const;
    bool operator==(const Format&) const = default;
};

struct Sound {
    Format format;
    // Where the samples lie in the file, whole frames only.
    std::size_t offset = 0;
    std::size_t size = 0;
};

// The samples of a whole file; nothing when it is not a WAVE file of
// uncompressed samples, or is cut short.
std::optional<Sound> read(std::string_view file);

inline constexpr std::size_t kHeaderSize = 44;
// The header of a file whose `dataSize` bytes of samples follow it.
std::string header(const Format& format, std::uint32_t dataSize);

}  // namespace qz::wave
