#include "codec.h"

#include <gtest/gtest.h>

namespace qz {
namespace {

TEST(Codec, PolishLettersRoundTrip)
{
    const QString letters = QStringLiteral("ąćęłńóśźż ĄĆĘŁŃÓŚŹŻ");
    const std::string bytes = toCp1250(letters);
    EXPECT_EQ(bytes, "\xB9\xE6\xEA\xB3\xF1\xF3\x9C\x9F\xBF \xA5\xC6\xCA\xA3\xD1\xD3\x8C\x8F\xAF");
    EXPECT_EQ(fromCp1250(bytes), letters);
}

TEST(Codec, CharactersOutsideTheCodePageBecomeOneQuestionMarkEach)
{
    EXPECT_EQ(toCp1250(QStringLiteral("Ж€😀!")), "?\x80?!");
}

// The five bytes that the code page leaves undefined too, as a file may hold them.
TEST(Codec, EveryByteRoundTrips)
{
    for (int byte = 1; byte < 256; ++byte) {
        const std::string original(1, static_cast<char>(byte));
        EXPECT_EQ(toCp1250(fromCp1250(original)), original) << byte;
    }
}

}  // namespace
}  // namespace qz
