#include "cw_messages.h"

#include "files.h"
#include "text.h"

#include <algorithm>
#include <optional>

namespace qz {
namespace {

// Far beyond what the sections hold with their comments; a longer file is
// not a messages file, and is passed over whole.
constexpr std::size_t kFileLimit = std::size_t{64} * 1024;

constexpr std::array<std::string_view, kMessageKeys> kDefaultTexts{"CQ TEST {MYCALL} {MYCALL} TEST",
                                                                   "{CALL} 5NN {EXCH}",
                                                                   "TU {MYCALL} TEST",
                                                                   "{MYCALL}",
                                                                   "{CALL}",
                                                                   "QSO B4",
                                                                   "?",
                                                                   "AGN?"};

enum class Section { None, Unknown, Cw, Ssb, Options };

// Windows-1250 bytes: "telegrafią", "wysłana", "prędkość".
constexpr std::array<std::string_view, 7> kHeader{
    "# Komunikaty klawiszy F1-F8. [CW]: tekst nadawany telegrafi\xb9. [SSB]: co m\xf3wi nagranie",
    "# glos/<OPERATOR>/F1.wav ... F8.wav. Pola: {MYCALL} znak operatora, {CALL} znak korespondenta,",
    "# {EXCH} wys\xb3"
    "ana wymiana, {RST} wys\xb3"
    "any raport.",
    "# ESM=on: Enter nadaje komunikaty. CUT=on: 0 i 9 w liczbach jako T i N.",
    "# PTT=rig: nadawanie g\xb3osu w\xb3\xb9"
    "cza PTT przez rigctld, PTT=vox: bez PTT. WPM: pr\xea"
    "dko\x9c\xe6 CW od 4 do 60.",
    "# PREDICT=off: pole Numer odebrany nie jest wype\xb3niane oczekiwan\xb9 grup\xb9.",
    "#"};

bool isControl(char c) { return static_cast<unsigned char>(c) < 0x20 || c == '\x7f'; }

std::optional<Section> sectionNamed(std::string_view name)
{
    const std::string lower = asciiLower(trimmed(name));
    if (lower == "cw")
        return Section::Cw;
    if (lower == "ssb")
        return Section::Ssb;
    if (lower == "options")
        return Section::Options;
    return std::nullopt;
}

// "F1" to "F8": the key's index.
std::optional<std::size_t> messageKey(std::string_view key)
{
    if (key.size() != 2 || key[0] != 'F' || key[1] < '1' || key[1] > '0' + static_cast<int>(kMessageKeys))
        return std::nullopt;
    return static_cast<std::size_t>(key[1] - '1');
}

std::optional<bool> onOff(std::string_view value)
{
    const std::string lower = asciiLower(std::string(value));
    if (lower == "on")
        return true;
    if (lower == "off")
        return false;
    return std::nullopt;
}

std::optional<int> speed(std::string_view value)
{
    if (value.empty() || value.size() > 2 ||
        !std::all_of(value.begin(), value.end(), [](char c) { return c >= '0' && c <= '9'; }))
        return std::nullopt;
    const int wpm = value.size() == 1 ? value[0] - '0' : (value[0] - '0') * 10 + (value[1] - '0');
    if (wpm < kMinWpm || wpm > kMaxWpm)
        return std::nullopt;
    return wpm;
}

// Takes one option into `book`.
SettingProblem takeOption(const std::string& key, const std::string& value, MessageBook& book)
{
    if (key == "ESM" || key == "CUT" || key == "PREDICT") {
        const auto on = onOff(value);
        if (!on)
            return SettingProblem::BadValue;
        (key == "ESM" ? book.enterSends : key == "CUT" ? book.cutNumbers : book.predictExchange) = *on;
    } else if (key == "PTT") {
        const std::string lower = asciiLower(value);
        if (lower != "rig" && lower != "vox")
            return SettingProblem::BadValue;
        book.ptt = lower == "rig" ? PttMode::Rig : PttMode::Vox;
    } else if (key == "WPM") {
        const auto wpm = speed(value);
        if (!wpm)
            return SettingProblem::BadValue;
        book.wpm = *wpm;
    } else {
        return SettingProblem::UnknownKey;
    }
    return SettingProblem::None;
}

// Takes one text into `texts`.
SettingProblem takeText(const std::string& key, const std::string& value, std::array<std::string, kMessageKeys>& texts)
{
    const auto index = messageKey(key);
    if (!index)
        return SettingProblem::UnknownKey;
    if (value.size() > kMaxMessageLength)
        return SettingProblem::TooLong;
    if (std::any_of(value.begin(), value.end(), isControl))
        return SettingProblem::ControlCharacter;
    texts[*index] = value;
    return SettingProblem::None;
}

// Reads the file line by line into `read`, each key of a section taken once.
class MessagesParser {
public:
    MessagesParser(std::string_view source, MessagesRead& read) : source_(source), read_(read) {}

    void line(std::string_view raw, std::size_t number)
    {
        const std::string_view line = trimmedView(raw);
        if (line.empty() || line.starts_with('#'))
            return;
        if (line.starts_with('[')) {
            const auto section = line.ends_with(']') ? sectionNamed(line.substr(1, line.size() - 2)) : std::nullopt;
            section_ = section.value_or(Section::Unknown);
            if (!section)
                ignore(line, SettingProblem::UnknownSection, number);
            return;
        }
        const auto equals = line.find('=');
        if (equals == std::string_view::npos)
            return ignore(line, SettingProblem::NotKeyValue, number);
        // What stands under an unknown section heading was named with it.
        if (section_ == Section::Unknown)
            return;
        if (section_ == Section::None)
            return ignore(line, SettingProblem::UnknownSection, number);
        const std::string key = asciiUpper(trimmed(line.substr(0, equals)));
        const std::string value = trimmed(line.substr(equals + 1));
        std::vector<std::string>& given = given_[static_cast<std::size_t>(section_)];
        if (std::find(given.begin(), given.end(), key) != given.end())
            return ignore(line, SettingProblem::RepeatedKey, number);
        MessageBook& book = read_.book;
        const SettingProblem problem = section_ == Section::Options
                                           ? takeOption(key, value, book)
                                           : takeText(key, value, section_ == Section::Cw ? book.cw : book.ssb);
        if (problem != SettingProblem::None)
            return ignore(line, problem, number);
        given.push_back(key);
    }

private:
    void ignore(std::string_view line, SettingProblem problem, std::size_t number)
    {
        read_.ignored.push_back({std::string(source_), std::string(line), problem, {}, number});
    }

    std::string_view source_;
    MessagesRead& read_;
    Section section_ = Section::None;
    std::array<std::vector<std::string>, static_cast<std::size_t>(Section::Options) + 1> given_;
};

}  // namespace

MessageBook defaultMessages()
{
    MessageBook book;
    std::copy(kDefaultTexts.begin(), kDefaultTexts.end(), book.cw.begin());
    std::copy(kDefaultTexts.begin(), kDefaultTexts.end(), book.ssb.begin());
    return book;
}

MessagesRead parseMessages(std::string_view bytes, std::string_view source)
{
    MessagesRead read{defaultMessages(), {}};
    if (bytes.size() > kFileLimit) {
        read.ignored.push_back({std::string(source), {}, SettingProblem::TooLong, {}, 0});
        return read;
    }
    MessagesParser parser(source, read);
    const std::vector<std::string> lines = files::splitLines(bytes);
    for (std::size_t i = 0; i < lines.size(); ++i)
        parser.line(lines[i], i + 1);
    return read;
}

MessagesRead readMessages(const std::filesystem::path& folder)
{
    std::vector<IgnoredSetting> unreadable;
    const auto content = readSettingFile(folder, kMessagesFileName, kFileLimit + 1, unreadable);
    if (!content)
        return {defaultMessages(), std::move(unreadable)};
    return parseMessages(*content, kMessagesFileName);
}

std::string formatMessages(const MessageBook& book)
{
    std::vector<std::string> lines(kHeader.begin(), kHeader.end());
    const auto section = [&lines](std::string_view name, const std::array<std::string, kMessageKeys>& texts) {
        lines.emplace_back(name);
        for (std::size_t i = 0; i < kMessageKeys; ++i)
            lines.push_back("F" + std::to_string(i + 1) + "=" + oneLine(texts[i]));
        lines.emplace_back();
    };
    section("[CW]", book.cw);
    section("[SSB]", book.ssb);
    lines.emplace_back("[OPTIONS]");
    lines.push_back(std::string("ESM=") + (book.enterSends ? "on" : "off"));
    lines.push_back(std::string("CUT=") + (book.cutNumbers ? "on" : "off"));
    lines.push_back(std::string("PTT=") + (book.ptt == PttMode::Rig ? "rig" : "vox"));
    lines.push_back("WPM=" + std::to_string(book.wpm));
    lines.push_back(std::string("PREDICT=") + (book.predictExchange ? "on" : "off"));
    return files::joinLines(lines);
}

void saveMessages(const std::filesystem::path& folder, const MessageBook& book)
{
    files::replaceAtomically(folder / kMessagesFileName, formatMessages(book));
}

}  // namespace qz
