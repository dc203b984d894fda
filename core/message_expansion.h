#pragma once
// A function key's text made into what is sent: the fields of the QSO put in
// its place holders, and for CW only what a keyer can send.

#include <string>
#include <string_view>

namespace qz {

enum class MessageMode { Cw, Ssb };

struct MessageFields {
    std::string mycall;  // the operator's own callsign
    std::string call;    // the callsign being worked
    std::string exch;    // the exchange sent
    std::string rst;     // the report sent
};

// {MYCALL}, {CALL}, {EXCH} and {RST} (in any letter case) give the fields;
// any other {...} stays as typed. On SSB that is all: the text is shown to the
// operator. On CW the result is in capitals, a report of 599 is sent as 5NN,
// and with `cutNumbers` the 0 and 9 of an exchange or report of digits alone
// are sent as T and N (never those of a callsign). Only A-Z, 0-9, the signs
// / ? . , = + - and blanks are kept (so an unknown {X} is sent as X), runs of
// blanks (and control characters) become one blank and the ends lose theirs. Empty: nothing to send.
std::string expandMessage(std::string_view pattern, const MessageFields& fields, MessageMode mode, bool cutNumbers);

}  // namespace qz
