#pragma once
// Answers the program's boxes from a script and records what was shown.

#include "platform.h"

#include <QStringList>
#include <deque>
#include <filesystem>
#include <functional>
#include <optional>
#include <ostream>
#include <vector>

namespace qz::test {

struct ShownBox {
    QString caption;
    QString text;
    ui::BoxIcon icon;
    ui::BoxButtons buttons;

    friend bool operator==(const ShownBox&, const ShownBox&) = default;
};
using Boxes = std::vector<ShownBox>;
// Shows caption, text, icon and buttons when a comparison fails.
void PrintTo(const ShownBox& box, std::ostream* out);

// The boxes as the program shows them: its error messages ("Błąd"), its
// questions before deleting ("Potwierdzenie") and before overwriting
// ("Ostrzeżenie"), its completion notices ("Informacja"), and the
// application-wide error box of a failed file operation or conversion.
ShownBox errorBox(const QString& text);
ShownBox questionBox(const QString& text);
ShownBox warningBox(const QString& text);
ShownBox informationBox(const QString& text);
ShownBox failureBox(const QString& text);
// The application-wide box of a failed operation on `file`, with the standard
// text of the system's error number `code`.
ShownBox fileFailureBox(int code, const std::filesystem::path& file);

struct AskedEntry {
    QString caption;
    QString prompt;
    QString value;
};

class FakePlatform final : public ui::Platform {
public:
    ui::BoxAnswer messageBox(const QString& caption, const QString& text, ui::BoxIcon icon,
                             ui::BoxButtons buttons) override;
    QString inputBox(const QString& caption, const QString& prompt, const QString& value) override;
    std::optional<QString> saveFileName(const QString& filter, const QString& proposal) override;
    std::optional<QString> openFileName(const QString& filter) override;
    void beep() override { ++beeps; }

    // Answers for the next boxes; unscripted boxes get OK, No or Cancel.
    std::deque<ui::BoxAnswer> answers;
    // Entries for the next text-entry boxes; nothing means Cancel.
    std::deque<std::optional<QString>> entries;
    // Paths for the next save dialogs; nothing means Cancel.
    std::deque<std::optional<QString>> savePaths;
    // Paths for the next open dialogs; nothing means Cancel.
    std::deque<std::optional<QString>> openPaths;
    // Runs when a box is shown, before it is answered.
    std::function<void(const ShownBox&)> onBox;

    Boxes boxes;
    std::vector<AskedEntry> asked;
    std::vector<QString> saveFilters;
    std::vector<QString> saveProposals;
    std::vector<QString> openFilters;
    int beeps = 0;

    QStringList texts() const;
};

}  // namespace qz::test
