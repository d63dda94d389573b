#include <gtest/gtest.h>

#include <string>
#include <system_error>

#include "store/tra_error.h"
#include "store/tra_failure.h"

using namespace wordgleaner;

// The codes are exit codes of the command-line tool and statuses in reports:
// each keeps its number and its words, and new codes only ever come after
// the last one.
TEST(TraErrorMessage, EveryCodeKeepsItsNumberAndItsWords) {
    const char* const table[] = {
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
    for (int code = 0; code < static_cast<int>(std::size(table)); ++code) {
        EXPECT_STREQ(TraErrorMessage(code), table[code]) << "code " << code;
    }
    EXPECT_EQ(TraNoIdValue, 9);
    EXPECT_EQ(TraBadString, 15);
    EXPECT_EQ(TraIdOutOfRange, 16);
    EXPECT_EQ(TraDamagedTable, 17);
}

TEST(TraErrorMessage, AnyCodeOutsideTheTableIsAnInternalFailure) {
    EXPECT_STREQ(TraErrorMessage(18), "Unknown error (internal failure)");
    EXPECT_STREQ(TraErrorMessage(-1), "Unknown error (internal failure)");
}

TEST(TraFailureText, AddsTheLineAndTheSystemReasonOnlyWhenThereAreAny) {
    EXPECT_EQ(TraFailureText(TraFailure()), "No error");
    EXPECT_EQ(TraFailureText(TraFailure(TraNoAtSign, 12)),
              "Missing string Id @ character at line 12");
    EXPECT_EQ(TraFailureText(TraFailure(TraWriteFailed)), "File write failure");

    TraFailure denied =
        TraFailure::FromSystem(TraOpenFailed, std::make_error_code(std::errc::permission_denied));
    EXPECT_EQ(denied.systemError, std::errc::permission_denied);
    EXPECT_EQ(denied.systemReason, denied.systemError.message());
    EXPECT_EQ(TraFailureText(denied), "Failed to open file (" + denied.systemReason + ")");

    denied.line = 3;
    EXPECT_EQ(TraFailureText(denied),
              "Failed to open file at line 3 (" + denied.systemReason + ")");

    EXPECT_EQ(TraFailureText(TraFailure::FromSystem(TraReadFailed, {})), "File read failure")
        << "no reason when the system gave none";

    EXPECT_EQ(TraFailureText(TraFailure::DamagedTable(51234)),
              "Damaged string table at entry 51234");
    EXPECT_EQ(TraFailureText(TraFailure::DamagedTable(0)), "Damaged string table at entry 0")
        << "entry 0 is named too";
}
