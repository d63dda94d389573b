#pragma once

#include <cstdint>
#include <string>
#include <system_error>

#include "store/tra_error.h"

namespace wordgleaner {

// A failed load or save told in full: the result code, the line where the
// reader stopped on a syntax fault or the entry of a damaged string table,
// the file at fault when it is not the one loaded, and the operating system's own reason
// when a file could not be opened, read or written ("No space left on
// device"). The code alone says what the store was doing; the rest tells the
// user what to fix.
struct TraFailure {
    TraFailure() = default;
    explicit TraFailure(TraError code, int line = 0) : code(code), line(line) {}

    TraError code = TraOk;
    int line = 0;                 // 1 for the first line; 0 when no line is to blame
    std::uint32_t entry = 0;      // the first damaged entry, for TraDamagedTable only
    std::string otherFile;        // the path of a female table at fault; empty: the file loaded
    std::error_code systemError;  // empty when the system gave no reason
    std::string systemReason;     // the system's message for systemError

    // A failure that the operating system explains.
    static TraFailure FromSystem(TraError code, std::error_code error);
    // A string table that cannot be read from this entry on.
    static TraFailure DamagedTable(std::uint32_t entry);
};

// "<message of the code>[ at line N| at entry N][ (<system reason>)]", for
// instance "Missing string Id @ character at line 12",
// "Damaged string table at entry 51234" or
// "Failed to open file (Permission denied)".
std::string TraFailureText(const TraFailure& failure);

}  // namespace wordgleaner
