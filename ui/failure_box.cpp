#include "failure_box.h"

#include "codec.h"

#include <cerrno>
#include <optional>

namespace qz::ui {
namespace {

// The likely cause, as the standard texts sort the system's error numbers.
QString causeOf(int code, const QString& name)
{
    const std::string standard = IoError::standardText(code);
    if (standard == IoError::standardText(ENOENT))
        return QStringLiteral("Nie ma pliku „%1” albo jego folderu: mógł zostać usunięty, przeniesiony lub "
                              "przemianowany, albo nośnik, na którym leży, odłączono.")
            .arg(name);
    if (standard == IoError::standardText(EACCES))
        return QStringLiteral("Brak dostępu do pliku „%1”: może być tylko do odczytu, otwarty w innym programie, "
                              "być folderem albo leżeć w folderze bez prawa zapisu.")
            .arg(name);
    if (standard == IoError::standardText(ENOSPC))
        return QStringLiteral("Na dysku lub nośniku z plikiem „%1” zabrakło miejsca: zwolnij miejsce i powtórz.")
            .arg(name);
    return QStringLiteral("Odczyt lub zapis pliku „%1” nie powiódł się: nośnik może być uszkodzony lub odłączony.")
        .arg(name);
}

}  // namespace

QString failureText(int code, const std::filesystem::path& path)
{
    return fromAscii(IoError::standardText(code)) + QLatin1Char('\n') + fromPath(path) + QLatin1Char('\n') +
           causeOf(code, fromPath(path.filename()));
}

QString failureText(const IoError& error) { return failureText(error.code(), error.path()); }

MendableFailure::MendableFailure(const IoError& failure, QString question, std::function<void()> mend,
                                 std::function<void()> decline)
    : IoError(failure), question_(std::move(question)), mend_(std::move(mend)), decline_(std::move(decline))
{
}

void reportCurrentException(Platform& platform) noexcept
{
    try {
        QString text;
        std::optional<MendableFailure> mendable;
        try {
            throw;
        } catch (const MendableFailure& failure) {
            mendable = failure;
            text = failureText(failure) + QLatin1Char('\n') + failure.question();
        } catch (const IoError& error) {
            text = failureText(error);
        } catch (const ConvertError& error) {
            text = fromCp1250(error.what());
        } catch (const std::exception& error) {
            text = fromSystemText(error.what());
        } catch (...) {
            text = QStringLiteral("Unknown error");
        }
        if (!mendable) {
            platform.messageBox(kApplicationTitle, text, BoxIcon::Error, BoxButtons::Ok);
            return;
        }
        const BoxAnswer answer = platform.messageBox(kApplicationTitle, text, BoxIcon::Error, BoxButtons::YesNo);
        const std::function<void()>& then = answer == BoxAnswer::Yes ? mendable->mend() : mendable->decline();
        if (then)
            guarded(platform, then);
    } catch (...) {
        // Nothing more can be done if even the box fails.
    }
}

}  // namespace qz::ui
