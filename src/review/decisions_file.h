#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace wordgleaner {

inline constexpr std::string_view DecisionsFileName = "Wordgleaner_decisions.csv";

enum class DecisionKind { Accept, Reject, Edit };

// One row of a decisions file: what a reviewer decided for one mod entry.
// The texts are UTF-8, the mod text as the review showed it.
struct ReviewDecision {
    int line = 0;         // the physical line of the file where the row begins
    std::string modFile;  // as the review names it: its path under the mod folder, '/' between
    std::int32_t id = 0;
    std::string modText;
    DecisionKind kind = DecisionKind::Accept;
    // The candidate an accept or a reject is about; an edit needs none.
    std::string referenceFile;
    std::int32_t referenceId = 0;
    std::string translation;  // of an edit; the female one may be empty
    std::string femaleTranslation;
};

struct DecisionsFileRead {
    std::vector<ReviewDecision> decisions;  // in the order of the file
    // Empty when the whole file was read; otherwise what is wrong and where,
    // "a quoted field is not closed at line 7" or "Failed to open file (No
    // such file or directory)".
    std::string fault;

    bool Ok() const { return fault.empty(); }
};

// The header line a decisions file begins with, without its line break.
std::string DecisionsHeader();

// Reads the text of a decisions file: UTF-8 (a byte-order mark first is
// skipped), comma-separated values as RFC 4180 has them, the header line,
// then one row per decision. A row of empty fields (a spreadsheet's blank
// line) is passed over. Any other row must have the eight fields, a
// decimal id, a known decision ("accept", "reject" or "edit", in any letter
// case) and, for an accept or a reject, a reference file and a decimal
// reference id; the first row that does not fails the whole file at its line.
DecisionsFileRead ParseDecisions(std::string_view text);

// The same for the file at `path`, read in text mode (CR LF as LF, as the tra
// files' texts are read, so that a text's line breaks compare equal).
DecisionsFileRead ReadDecisionsFile(const std::string& path);

}  // namespace wordgleaner
