#pragma once
// The texts of the function keys F1-F8 and the options of sending them, in
// QZ5KV_stationbook_messages.txt in the station folder: Windows-1250 text of
// sections and KEY=VALUE lines, blank lines and lines starting with '#'
// aside, written with CR LF and read with LF or CR LF:
//
//   [CW]        F1=... F8=...  the texts sent in CW
//   [SSB]       F1=... F8=...  what the recordings glos/<OPERATOR>/F1.wav ... say
//   [OPTIONS]   ESM=on|off     Enter sends the messages
//               CUT=on|off     0 and 9 of numbers sent as T and N
//               PTT=rig|vox    voice keys the radio through rigctld, or not (VOX)
//               WPM=4..60      the CW speed
//               PREDICT=on|off the received exchange is filled in with the expected one
//
// Sections, keys and option values in any letter case; blanks around keys
// and values do not count. A missing file or key gives the default. A line
// with a fault is passed over with its reason and line number; the rest of
// the file still counts.

#include "message_expansion.h"
#include "setting_source.h"
#include "station_files.h"

#include <array>
#include <cstddef>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace qz {

inline constexpr std::size_t kMessageKeys = 8;
inline constexpr std::size_t kMaxMessageLength = 100;  // bytes of a text as written, before its fields
inline constexpr int kMinWpm = 4, kMaxWpm = 60;

enum class PttMode { Rig, Vox };

struct MessageBook {
    std::array<std::string, kMessageKeys> cw, ssb;  // F1 first
    bool enterSends = false;
    bool cutNumbers = false;
    PttMode ptt = PttMode::Rig;
    int wpm = 28;
    bool predictExchange = true;

    const std::array<std::string, kMessageKeys>& texts(MessageMode mode) const
    {
        return mode == MessageMode::Cw ? cw : ssb;
    }
    bool operator==(const MessageBook&) const = default;
};

// The IARU HF contest's messages, the same for both modes.
MessageBook defaultMessages();

struct MessagesRead {
    MessageBook book;
    std::vector<IgnoredSetting> ignored;
};

// `source` names the file in what was passed over.
MessagesRead parseMessages(std::string_view bytes, std::string_view source);
// The file in `folder`; a missing one gives the defaults, an unreadable one
// too, with the reason.
MessagesRead readMessages(const std::filesystem::path& folder);

// The whole file, under a short comment that says what it holds. A text is
// kept on its line (line breaks inside become blanks).
std::string formatMessages(const MessageBook& book);
// Replaces the file in `folder` whole, never leaving a torn one; throws
// IoError.
void saveMessages(const std::filesystem::path& folder, const MessageBook& book);

}  // namespace qz
