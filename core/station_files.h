#pragma once
// The names of the files in the station folder, as the README's table of
// files lists them. The folder itself is always passed in.

#include <filesystem>
#include <string_view>

namespace qz {

inline constexpr std::string_view kLogFileName = "IARU_log.zrv";
inline constexpr std::string_view kLogBackupName = "IARU_log.zr~";
// The new copy of the log while a rewrite makes it.
inline constexpr std::string_view kLogScratchName = "temporary.zrv";
inline constexpr std::string_view kOperatorFileName = "QZ5KV_stationbook.ini";
inline constexpr std::string_view kLockFileName = "QZ5KV_stationbook.lock";
inline constexpr std::string_view kRigSettingFile = "QZ5KV_stationbook_rig.txt";
// Optional: the broker, name, user and password of the station's sharing.
inline constexpr std::string_view kShareSettingFile = "QZ5KV_stationbook_share.txt";
// Optional: how CW is sent (cwdaemon, the radio's keyer, or not at all).
inline constexpr std::string_view kCwSettingFile = "QZ5KV_stationbook_cw.txt";
// Optional: the DX cluster node, its login and how long its spots last.
inline constexpr std::string_view kClusterSettingFile = "QZ5KV_stationbook_cluster.txt";
// Optional: the texts of the function keys and how they are sent.
inline constexpr std::string_view kMessagesFileName = "QZ5KV_stationbook_messages.txt";
// Optional: a published call history, read only.
inline constexpr std::string_view kCallHistoryFileName = "QZ5KV_stationbook_history.txt";
// What this computer has taken of the station's shared log (only when it shares).
inline constexpr std::string_view kShareJournalName = "QZ5KV_stationbook_share.jrn";
inline constexpr std::string_view kCountryFileName = "cty.dat";
inline constexpr std::string_view kCallListFileName = "MASTER.SCP";
// Optional: headquarters abbreviations added to the built-in list.
inline constexpr std::string_view kHeadquartersFileName = "IARU_HQ.txt";

// The settings files are named "QZ5KV_stationbook_" and a word ending ".txt".
inline constexpr std::string_view kSettingFilePrefix = "QZ5KV_stationbook_";
inline constexpr std::string_view kSettingFileSuffix = ".txt";

// True when `candidate` names, under any spelling ("..", a link, letter case
// on Windows), a file that the program keeps in `folder`: the log, its
// backup and scratch file, the operator file, the lock, the journal, a
// settings file or the field's data; also one of those not made yet.
bool isStationFile(const std::filesystem::path& folder, const std::filesystem::path& candidate);

}  // namespace qz
