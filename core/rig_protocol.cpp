#include "rig_protocol.h"

#include <algorithm>

namespace qz::rig {
namespace {

constexpr std::string_view kReportPrefix = "RPRT ";
constexpr std::size_t kMaxModeLength = 16;
// Beyond any radio's range, and far from overflowing a long long.
constexpr std::size_t kMaxFrequencyDigits = 12;

bool isDigit(char c) { return c >= '0' && c <= '9'; }
bool allDigits(std::string_view text) { return !text.empty() && std::all_of(text.begin(), text.end(), isDigit); }

// "RPRT 0", "RPRT -11": the code, or nothing when the line is something else.
std::optional<int> reportCode(std::string_view line)
{
    if (!line.starts_with(kReportPrefix))
        return std::nullopt;
    std::string_view number = line.substr(kReportPrefix.size());
    const bool negative = number.starts_with('-');
    if (negative)
        number.remove_prefix(1);
    if (!allDigits(number) || number.size() > 6)
        return std::nullopt;
    int code = 0;
    for (const char c : number)
        code = code * 10 + (c - '0');
    return negative ? -code : code;
}

bool answers(const Reply& reply, std::string_view command) { return reply.result == 0 && reply.command == command; }

}  // namespace

std::optional<std::string_view> Reply::value(std::string_view key) const
{
    for (const auto& [name, text] : records)
        if (name == key)
            return text;
    return std::nullopt;
}

bool ReplyReader::feed(std::string_view bytes)
{
    for (const char c : bytes) {
        if (broken_)
            return false;
        if (c == '\n') {
            broken_ = !endLine();
            line_.clear();
        } else if (line_.size() < kMaxLine) {
            line_ += c;
        } else {
            broken_ = true;
        }
    }
    return !broken_;
}

bool ReplyReader::endLine()
{
    std::string_view line = line_;
    if (line.ends_with('\r'))
        line.remove_suffix(1);
    if (line.empty())
        return true;
    if (++lines_ > kMaxRecords)
        return false;
    if (const auto code = reportCode(line)) {
        if (finished_.size() == kMaxReplies)
            return false;
        current_.result = *code;
        finished_.push_back(std::move(current_));
        current_ = Reply();
        lines_ = 0;
        return true;
    }
    if (line.starts_with(kReportPrefix.substr(0, 4)))
        return false;
    // The header repeats the command's long name ("get_freq:", or with the
    // arguments after it); then "Key: value" records, or bare values.
    const auto colon = line.find(':');
    if (lines_ == 1 && colon != std::string_view::npos && line.find(' ') >= colon) {
        current_.command = std::string(line.substr(0, colon));
        return true;
    }
    if (colon != std::string_view::npos && line.substr(colon).starts_with(": "))
        current_.records.emplace_back(line.substr(0, colon), line.substr(colon + 2));
    else
        current_.records.emplace_back(std::string(), line);
    return true;
}

std::vector<Reply> ReplyReader::takeReplies() { return std::exchange(finished_, {}); }

void ReplyReader::reset() { *this = ReplyReader(); }

std::optional<long long> frequencyOf(const Reply& reply)
{
    if (!answers(reply, kFrequencyCommand))
        return std::nullopt;
    const auto text = reply.value("Frequency");
    if (!text)
        return std::nullopt;
    const auto point = text->find('.');
    const std::string_view whole = text->substr(0, point);
    if (!allDigits(whole) || whole.size() > kMaxFrequencyDigits)
        return std::nullopt;
    if (point != std::string_view::npos) {
        const std::string_view fraction = text->substr(point + 1);
        if (!std::all_of(fraction.begin(), fraction.end(), isDigit))
            return std::nullopt;
    }
    long long hertz = 0;
    for (const char c : whole)
        hertz = hertz * 10 + (c - '0');
    return hertz;
}

std::optional<std::string> modeOf(const Reply& reply)
{
    if (!answers(reply, kModeCommand))
        return std::nullopt;
    const auto mode = reply.value("Mode");
    if (!mode || mode->empty() || mode->size() > kMaxModeLength ||
        !std::all_of(mode->begin(), mode->end(), [](char c) { return isDigit(c) || (c >= 'A' && c <= 'Z'); }))
        return std::nullopt;
    return std::string(*mode);
}

}  // namespace qz::rig
