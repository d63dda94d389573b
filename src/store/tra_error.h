#pragma once

namespace wordgleaner {

// Result codes of the tra file store. They are also the final status of a
// recovery job, so the numbers are part of the program's behaviour (exit
// codes, reports) and must never be renumbered.
enum TraError : int {
    TraOk = 0,
    TraEndOfLine = 1,
    TraEndOfFile = 2,
    TraNoMemory = 3,
    TraOpenFailed = 4,
    TraReadFailed = 5,
    TraWriteFailed = 6,
    TraNoSeparator = 7,
    TraNoEqualSign = 8,
    TraNoIdValue = 9,
    TraTooManyStrings = 10,
    TraNoAtSign = 11,
    TraNoSoundEnd = 12,
    TraBadSound = 13,
    TraUnknownId = 14,
    TraBadString = 15,
    // Codes added later go here, at the end, so no existing number moves.
    TraIdOutOfRange = 16,
    TraDamagedTable = 17,
};

// The fixed English message of a result code; any code outside the table
// gives "Unknown error (internal failure)".
const char* TraErrorMessage(int code);

}  // namespace wordgleaner
