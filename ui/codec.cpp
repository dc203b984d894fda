#include "codec.h"

#include <QFile>
#include <QStringDecoder>
#include <QStringEncoder>

namespace qz::ui {

QString fromCp1250(std::string_view bytes)
{
    QStringDecoder decoder("windows-1250");
    return decoder.decode(QByteArrayView(bytes.data(), static_cast<qsizetype>(bytes.size())));
}

QString fromAscii(std::string_view text)
{
    return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

std::string toCp1250(const QString& text)
{
    QStringEncoder encoder("windows-1250");
    const QByteArray bytes = encoder.encode(text);
    return std::string(bytes.constData(), static_cast<std::size_t>(bytes.size()));
}

std::filesystem::path toPath(const QString& name) { return QFile::encodeName(name).toStdString(); }

QString fromPath(const std::filesystem::path& path)
{
    return QFile::decodeName(QByteArray::fromStdString(path.string()));
}

}  // namespace qz::ui
