#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

#include "review/decisions_file.h"
#include "review/text_encoding.h"

namespace wordgleaner {

class ReferenceSet;
class TraEntry;

// A decision that holds for the entry it was asked for: what to put in its
// place of the run's own outcome. The texts are those the recovered file
// gets, in its code page: the translated reference entry's for an accept,
// the edited ones for an edit, none for a reject.
struct DecisionToApply {
    DecisionKind kind = DecisionKind::Accept;
    std::uint32_t referenceFile = 0;  // of an accept or a reject, in the set
    std::int32_t referenceId = 0;
    std::string maleText;
    std::string femaleText;
};

// The decisions of a review in a run: which one each mod entry takes, and
// what became of every row, for the report. Keyed by mod file and id, the
// first row of a key is the one the run considers; the later ones are
// duplicates and never apply.
class ReviewDecisions {
public:
    // `codePage` is the run's: the mod texts are compared as the review
    // decoded them, and edits are written in it.
    ReviewDecisions(std::vector<ReviewDecision> decisions, int codePage);
    ReviewDecisions(const ReviewDecisions&) = delete;
    ReviewDecisions& operator=(const ReviewDecisions&) = delete;

    // The decision for this entry of mod file `modFile`, when its row's mod
    // text is the entry's and its candidate or texts can be used; then it is
    // counted as applied and no later entry takes it. Otherwise nothing, and
    // the row keeps why, unless a later entry of the same id takes it.
    std::optional<DecisionToApply> Take(const std::string& modFile, const TraEntry& entry,
                                        const ReferenceSet& references);

    // "Review decisions: 2 accepted, 1 rejected, 1 edited, 3 not applied",
    // then a line for each row not applied, in file order, with its reason.
    std::vector<std::string> ReportLines() const;

private:
    struct Row {
        ReviewDecision decision;
        bool applied = false;
        std::string notApplied;  // why, once known
    };

    std::optional<DecisionToApply> Check(Row& row, const TraEntry& entry,
                                         const ReferenceSet& references);
    std::optional<DecisionToApply> CheckCandidate(Row& row, const ReferenceSet& references);
    std::optional<DecisionToApply> CheckEdit(Row& row);

    std::vector<Row> rows;
    // "mod file\nid" to the row considered for it.
    std::unordered_map<std::string, std::size_t> firstRows;
    CodePageDecoder decoder;
    int codePage;
};

}  // namespace wordgleaner
