#include "failure_box.h"

#include "codec.h"
#include "errors.h"

namespace qz::ui {

void reportCurrentException(Platform& platform) noexcept
{
    try {
        QString text;
        try {
            throw;
        } catch (const IoError& error) {
            text = QString::fromStdString(error.what()) + QLatin1Char('\n') + fromPath(error.path());
        } catch (const ConvertError& error) {
            text = fromCp1250(error.what());
        } catch (const std::exception& error) {
            text = QString::fromLocal8Bit(error.what());
        } catch (...) {
            text = QStringLiteral("Unknown error");
        }
        platform.messageBox(kApplicationTitle, text, BoxIcon::Error, BoxButtons::Ok);
    } catch (...) {
        // Nothing more can be done if even the box fails.
    }
}

}  // namespace qz::ui
