// Any bytes as the messages file, and as a text to send: nothing may crash,
// what is taken must write back and read back unchanged, and what goes to
// cwdaemon or rigctld must stay the one request it was meant to be.

#include "cw_messages.h"
#include "cwdaemon_protocol.h"
#include "fuzz_check.h"
#include "rig_keying.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string_view>

namespace {

using qz::fuzz::require;

bool isControl(char c) { return static_cast<unsigned char>(c) < 0x20 || c == '\x7f'; }

void checkSent(std::string_view sent)
{
    require(std::all_of(sent.begin(), sent.end(),
                        [](char c) {
                            return (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
                                   std::string_view(" /?.,=+-").find(c) != std::string_view::npos;
                        }),
            "CW holds only what a keyer sends");
    require(!sent.starts_with(' ') && !sent.ends_with(' ') && sent.find("  ") == std::string_view::npos,
            "CW has single blanks between words");
}

void checkRequests(std::string_view text)
{
    const auto datagrams = qz::cwdaemon::messageRequests(7, text);
    for (const std::string& datagram : datagrams) {
        require(!datagram.empty() && datagram.size() <= qz::cwdaemon::kMaxRequest, "a datagram is taken whole");
        require(datagram == qz::cwdaemon::tagRequest(7) || !datagram.starts_with(qz::cwdaemon::kEscape),
                "a text never becomes an escape request");
    }
    require(datagrams.empty() || datagrams[datagrams.size() - 2] == qz::cwdaemon::tagRequest(7),
            "the tag goes just before the last piece");
    for (const std::string& command : qz::rig::sendMorseRequests(text)) {
        require(command.starts_with("+b") && command.size() > 3 && command.size() <= qz::rig::kMaxMorsePiece + 3,
                "a send_morse has a text that its answer can repeat");
        require(std::none_of(command.begin(), command.end() - 1, isControl) && command.ends_with('\n'),
                "a send_morse is one line");
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    const qz::MessagesRead read = qz::parseMessages(input, qz::kMessagesFileName);
    const qz::MessageBook& book = read.book;
    require(book.wpm >= qz::kMinWpm && book.wpm <= qz::kMaxWpm, "the speed is one a keyer takes");
    for (const auto* texts : {&book.cw, &book.ssb})
        for (const std::string& text : *texts)
            require(text.size() <= qz::kMaxMessageLength && std::none_of(text.begin(), text.end(), isControl),
                    "a text is short and on its line");

    const qz::MessagesRead again = qz::parseMessages(qz::formatMessages(book), qz::kMessagesFileName);
    require(again.ignored.empty() && again.book == book, "what was taken writes back and reads back");

    const qz::MessageFields fields{book.ssb[0], book.ssb[1], book.ssb[2], book.ssb[3]};
    for (const std::string& text : book.cw)
        checkSent(qz::expandMessage(text, fields, qz::MessageMode::Cw, book.cutNumbers));
    checkRequests(input);
    return 0;
}
