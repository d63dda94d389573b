#pragma once

#include <string>
#include <system_error>

#include "store/tra_error.h"

namespace wordgleaner {

struct WholeTextFileRead {
    TraError code = TraOk;  // TraOk, TraOpenFailed or TraReadFailed
    bool byteOrderMark = false;
    std::error_code systemError;  // the system's reason of a failure, when it told one
};

// Reads the whole file at `path` into `bytes` in text mode (CR LF as LF, a
// lone CR kept, nothing from a 0x1A byte on, a leading byte-order mark
// skipped), so that the entries of a tra file can be views
// into one buffer. Every line of the result ends with LF: a last line without
// one gets it. After a read failure `bytes` holds the whole lines read before
// it. May throw std::bad_alloc.
WholeTextFileRead ReadWholeTextFile(const std::string& path, std::string& bytes);

}  // namespace wordgleaner
