#include "codec.h"

#include <gtest/gtest.h>

namespace qz::ui {
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

TEST(Codec, EveryDefinedWindows1250ByteRoundTrips)
{
    for (int byte = 1; byte < 256; ++byte) {
        const std::string original(1, static_cast<char>(byte));
        const QString text = fromCp1250(original);
        if (text == QString(QChar::ReplacementCharacter))
            continue;  // the five bytes the code page leaves undefined
        EXPECT_EQ(toCp1250(text), original) << byte;
    }
}

}  // namespace
}  // namespace qz::ui
