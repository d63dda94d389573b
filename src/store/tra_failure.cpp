#include "store/tra_failure.h"

#include <new>

namespace wordgleaner {

TraFailure TraFailure::FromSystem(TraError code, std::error_code error) {
    TraFailure failure(code);
    if (error) {
        failure.systemError = error;
        try {
            failure.systemReason = error.message();
        } catch (const std::bad_alloc&) {
            // The code still tells what failed; only the reason is lost.
        }
    }
    return failure;
}

TraFailure TraFailure::DamagedTable(std::uint32_t entry) {
    TraFailure failure(TraDamagedTable);
    failure.entry = entry;
    return failure;
}

std::string TraFailureText(const TraFailure& failure) {
    std::string text = TraErrorMessage(failure.code);
    if (failure.line > 0) {
        text += " at line " + std::to_string(failure.line);
    }
    // Entry 0 is an entry like any other: the code alone says one is named.
    if (failure.code == TraDamagedTable) {
        text += " at entry " + std::to_string(failure.entry);
    }
    if (!failure.systemReason.empty()) {
        text += " (" + failure.systemReason + ")";
    }
    return text;
}

}  // namespace wordgleaner
