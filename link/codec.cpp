#include "codec.h"

#include <QFile>
#include <algorithm>
#include <array>

namespace qz {
namespace {

// Windows-1250 from 0x80 on. The five bytes it leaves undefined read as the
// control characters of the same number, as Windows reads them, so that they
// are written back unchanged. The table is the program's own, as Qt knows
// this code page only through ICU, which Qt for Windows is built without.
constexpr std::array<char16_t, 128> kUpperHalf{
    0x20AC, 0x0081, 0x201A, 0x0083, 0x201E, 0x2026, 0x2020, 0x2021, 0x0088, 0x2030, 0x0160, 0x2039, 0x015A,
    0x0164, 0x017D, 0x0179, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, 0x0098, 0x2122,
    0x0161, 0x203A, 0x015B, 0x0165, 0x017E, 0x017A, 0x00A0, 0x02C7, 0x02D8, 0x0141, 0x00A4, 0x0104, 0x00A6,
    0x00A7, 0x00A8, 0x00A9, 0x015E, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x017B, 0x00B0, 0x00B1, 0x02DB, 0x0142,
    0x00B4, 0x00B5, 0x00B6, 0x00B7, 0x00B8, 0x0105, 0x015F, 0x00BB, 0x013D, 0x02DD, 0x013E, 0x017C, 0x0154,
    0x00C1, 0x00C2, 0x0102, 0x00C4, 0x0139, 0x0106, 0x00C7, 0x010C, 0x00C9, 0x0118, 0x00CB, 0x011A, 0x00CD,
    0x00CE, 0x010E, 0x0110, 0x0143, 0x0147, 0x00D3, 0x00D4, 0x0150, 0x00D6, 0x00D7, 0x0158, 0x016E, 0x00DA,
    0x0170, 0x00DC, 0x00DD, 0x0162, 0x00DF, 0x0155, 0x00E1, 0x00E2, 0x0103, 0x00E4, 0x013A, 0x0107, 0x00E7,
    0x010D, 0x00E9, 0x0119, 0x00EB, 0x011B, 0x00ED, 0x00EE, 0x010F, 0x0111, 0x0144, 0x0148, 0x00F3, 0x00F4,
    0x0151, 0x00F6, 0x00F7, 0x0159, 0x016F, 0x00FA, 0x0171, 0x00FC, 0x00FD, 0x0163, 0x02D9,
};

}  // namespace

QString fromCp1250(std::string_view bytes)
{
    QString text(static_cast<qsizetype>(bytes.size()), Qt::Uninitialized);
    QChar* out = text.data();
    for (const char byte : bytes) {
        const auto code = static_cast<unsigned char>(byte);
        *out++ = QChar(code < 0x80 ? static_cast<char16_t>(code) : kUpperHalf[code - 0x80U]);
    }
    return text;
}

QString fromAscii(std::string_view text)
{
    return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

QString fromSystemText(std::string_view text)
{
    return QString::fromLocal8Bit(text.data(), static_cast<qsizetype>(text.size()));
}

std::string toCp1250(const QString& text)
{
    std::string bytes;
    bytes.reserve(static_cast<std::size_t>(text.size()));
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t unit = text[i].unicode();
        if (unit < 0x80) {
            bytes += static_cast<char>(unit);
            continue;
        }
        const auto found = std::find(kUpperHalf.begin(), kUpperHalf.end(), unit);
        bytes += found != kUpperHalf.end() ? static_cast<char>(0x80 + (found - kUpperHalf.begin())) : '?';
        // A character beyond the 16-bit range is one character: one "?".
        if (text[i].isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate())
            ++i;
    }
    return bytes;
}

// Windows keeps file names in UTF-16, which the wide strings carry whole; its
// narrow names (the code page) cannot hold every Polish letter.
std::string utf8Bytes(const QString& text)
{
    const QByteArray bytes = text.toUtf8();
    return {bytes.constData(), static_cast<std::size_t>(bytes.size())};
}

std::filesystem::path toPath(const QString& name)
{
#ifdef _WIN32
    return name.toStdWString();
#else
    return QFile::encodeName(name).toStdString();
#endif
}

QString fromPath(const std::filesystem::path& path)
{
#ifdef _WIN32
    // Shown with Windows' own separators, as the folder from Qt has "/".
    return QString::fromStdWString(std::filesystem::path(path).make_preferred().wstring());
#else
    return QFile::decodeName(QByteArray::fromStdString(path.string()));
#endif
}

}  // namespace qz
