#include "rig_setting.h"

#include "files.h"
#include "text.h"

namespace qz {
namespace {

// Longer than any setting may be; the file is read only this far.
constexpr std::size_t kFileReadLimit = 1024;

}  // namespace

RigChoice chooseRig(const std::optional<std::string>& commandLine, const std::filesystem::path& folder)
{
    RigChoice choice;
    // Each source in turn; the first usable one decides.
    const auto tryText = [&choice](std::string_view source, const std::string& text) {
        const RigSetting setting = parseRigSetting(text);
        if (setting.problem != RigProblem::None) {
            choice.ignored.push_back({std::string(source), text, setting.problem, {}});
            return false;
        }
        choice.address = setting.address;
        choice.source = source;
        return true;
    };
    if (commandLine && tryText(kRigOption, *commandLine))
        return choice;

    if (const auto content = readSettingFile(folder, kRigSettingFile, kFileReadLimit, choice.ignored)) {
        const std::string first = files::splitLines(*content).front();
        // An empty file sets nothing.
        if (!trimmed(first).empty() && tryText(kRigSettingFile, first))
            return choice;
    }
    choice.address = RigAddress{std::string(kRigctldHost), kRigctldPort};
    return choice;
}

}  // namespace qz
