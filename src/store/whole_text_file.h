#pragma once

#include <string>

#include "store/tra_failure.h"

namespace wordgleaner {

struct WholeTextFileRead {
    // TraOk, TraOpenFailed (also for what is no regular file, or one too
    // large for the store) or TraReadFailed, with the reason.
    TraFailure failure;
    bool byteOrderMark = false;
};

// Reads the whole regular file at `path` into `bytes` in text mode (CR LF as LF, a
// lone CR kept, nothing from a 0x1A byte on, a leading byte-order mark
// skipped), so that the entries of a tra file can be views
// into one buffer. Every line of the result ends with LF: a last line without
// one gets it. After a read failure `bytes` holds the whole lines read before
// it. May throw std::bad_alloc.
WholeTextFileRead ReadWholeTextFile(const std::string& path, std::string& bytes);

}  // namespace wordgleaner
