#include "store/tra_error.h"

#include <array>

namespace wordgleaner {

namespace {

constexpr std::array<const char*, TraDamagedTable + 1> Messages = {
    "No error",
    "End of line (no error)",
    "End of file (no error)",
    "Memory allocation failure",
    "Failed to open file",
    "File read failure",
    "File write failure",
    "Expected separator missing",
    "Missing equal sign after string Id",
    "Missing Id value after @",
    "Too many strings for a string Id, two are allowed (male, female)",
    "Missing string Id @ character",
    "Missing end character ] for sound reference",
    "Invalid sound reference",
    "Unknown string Id",
    "Invalid string",
    "Id out of range",
    "Damaged string table",
};

constexpr const char* UnknownCodeMessage = "Unknown error (internal failure)";

}  // namespace

const char* TraErrorMessage(int code) {
    if (code < 0 || code >= static_cast<int>(Messages.size())) {
        return UnknownCodeMessage;
    }
    return Messages[static_cast<std::size_t>(code)];
}

}  // namespace wordgleaner
