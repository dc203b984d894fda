#include "fake_platform.h"

#include "failure_box.h"

namespace qz::test {

void PrintTo(const ShownBox& box, std::ostream* out)
{
    *out << "{\"" << box.caption.toStdString() << "\", \"" << box.text.toStdString() << "\", icon "
         << static_cast<int>(box.icon) << ", buttons " << static_cast<int>(box.buttons) << "}";
}

ShownBox errorBox(const QString& text)
{
    return {QStringLiteral("Błąd"), text, ui::BoxIcon::Error, ui::BoxButtons::Ok};
}

ShownBox questionBox(const QString& text)
{
    return {QStringLiteral("Potwierdzenie"), text, ui::BoxIcon::Question, ui::BoxButtons::YesNo};
}

ShownBox warningBox(const QString& text)
{
    return {QStringLiteral("Ostrzeżenie"), text, ui::BoxIcon::Warning, ui::BoxButtons::YesNoCancel};
}

ShownBox informationBox(const QString& text)
{
    return {QStringLiteral("Informacja"), text, ui::BoxIcon::Information, ui::BoxButtons::Ok};
}

ShownBox failureBox(const QString& text)
{
    return {QStringLiteral("QZ5KV Stationbook"), text, ui::BoxIcon::Error, ui::BoxButtons::Ok};
}

ShownBox fileFailureBox(int code, const std::filesystem::path& file) { return failureBox(ui::failureText(code, file)); }

ui::BoxAnswer FakePlatform::messageBox(const QString& caption, const QString& text, ui::BoxIcon icon,
                                       ui::BoxButtons buttons)
{
    boxes.push_back({caption, text, icon, buttons});
    if (onBox)
        onBox(boxes.back());
    if (!answers.empty()) {
        const ui::BoxAnswer answer = answers.front();
        answers.pop_front();
        return answer;
    }
    switch (buttons) {
    case ui::BoxButtons::Ok: return ui::BoxAnswer::Ok;
    case ui::BoxButtons::YesNo: return ui::BoxAnswer::No;
    case ui::BoxButtons::YesNoCancel: return ui::BoxAnswer::Cancel;
    }
    return ui::BoxAnswer::Cancel;
}

QString FakePlatform::inputBox(const QString& caption, const QString& prompt, const QString& value)
{
    asked.push_back({caption, prompt, value});
    if (entries.empty())
        return value;
    const std::optional<QString> entry = entries.front();
    entries.pop_front();
    return entry.value_or(value);
}

std::optional<QString> FakePlatform::saveFileName(const QString& filter, const QString& proposal)
{
    saveFilters.push_back(filter);
    saveProposals.push_back(proposal);
    if (savePaths.empty())
        return std::nullopt;
    std::optional<QString> path;
    path.swap(savePaths.front());
    savePaths.pop_front();
    return path;
}

std::optional<QString> FakePlatform::openFileName(const QString& filter)
{
    openFilters.push_back(filter);
    if (openPaths.empty())
        return std::nullopt;
    std::optional<QString> path;
    path.swap(openPaths.front());
    openPaths.pop_front();
    return path;
}

QStringList FakePlatform::texts() const
{
    QStringList result;
    for (const ShownBox& box : boxes)
        result << box.text;
    return result;
}

}  // namespace qz::test
