#include "job/worker/review_decisions.h"

#include <array>
#include <string_view>

#include "matching/reference_set.h"
#include "review/code_page_encoder.h"
#include "store/tra_file.h"

namespace wordgleaner {

namespace {

// A mod file's name never holds a line break that could run into the id:
// the review names it by its path, and a path is one line.
std::string KeyOf(const std::string& modFile, std::int32_t id) {
    return modFile + '\n' + std::to_string(id);
}

std::optional<std::uint32_t> FileNamed(const ReferenceSet& references, const std::string& name) {
    const auto names = references.Names();
    for (std::uint32_t file = 0; file < names.size(); ++file) {
        if (names[file] == name) {
            return file;
        }
    }
    return std::nullopt;
}

// A tra text is closed by ~, ", % or ~~~~~, the first the text does not
// hold; one that holds all four could not be read back as it was typed.
bool TraCanHold(std::string_view text) {
    return text.find('~') == std::string_view::npos || text.find('"') == std::string_view::npos ||
           text.find('%') == std::string_view::npos || text.find("~~~~~") == std::string_view::npos;
}

std::string NotAppliedLine(const ReviewDecision& decision, const std::string& why) {
    return "Not applied: line " + std::to_string(decision.line) + ", " + decision.modFile + " Id " +
           std::to_string(decision.id) + ": " + why;
}

}  // namespace

ReviewDecisions::ReviewDecisions(std::vector<ReviewDecision> decisions, int codePage)
    : decoder(codePage), codePage(codePage) {
    rows.reserve(decisions.size());
    for (ReviewDecision& decision : decisions) {
        const auto [first, added] =
            firstRows.emplace(KeyOf(decision.modFile, decision.id), rows.size());
        Row row{std::move(decision), false, "no such entry was recovered"};
        if (!added) {
            row.notApplied = "a second decision for the entry, after line " +
                             std::to_string(rows[first->second].decision.line);
        }
        rows.push_back(std::move(row));
    }
}

std::optional<DecisionToApply> ReviewDecisions::Take(const std::string& modFile,
                                                     const TraEntry& entry,
                                                     const ReferenceSet& references) {
    const auto found = firstRows.find(KeyOf(modFile, entry.Id()));
    if (found == firstRows.end() || rows[found->second].applied) {
        return std::nullopt;
    }
    Row& row = rows[found->second];
    std::optional<DecisionToApply> taken = Check(row, entry, references);
    row.applied = taken.has_value();
    return taken;
}

std::optional<DecisionToApply> ReviewDecisions::Check(Row& row, const TraEntry& entry,
                                                      const ReferenceSet& references) {
    if (decoder.ToUtf8(entry.MaleText()) != row.decision.modText) {
        row.notApplied = "the mod text has changed since the review";
        return std::nullopt;
    }
    if (row.decision.kind == DecisionKind::Edit) {
        return CheckEdit(row);
    }
    return CheckCandidate(row, references);
}

// An accept needs the translated text it puts in; a reject only that its
// candidate is one the run knows, so that its comment names a real entry.
std::optional<DecisionToApply> ReviewDecisions::CheckCandidate(Row& row,
                                                               const ReferenceSet& references) {
    const ReviewDecision& decision = row.decision;
    const std::optional<std::uint32_t> file = FileNamed(references, decision.referenceFile);
    if (!file) {
        row.notApplied = "the run has no reference file " + decision.referenceFile;
        return std::nullopt;
    }
    if (!references.File(*file).original->Find(decision.referenceId)) {
        row.notApplied = "the reference file " + decision.referenceFile + " has no Id " +
                         std::to_string(decision.referenceId);
        return std::nullopt;
    }
    DecisionToApply apply{decision.kind, *file, decision.referenceId, {}, {}};
    if (decision.kind == DecisionKind::Reject) {
        return apply;
    }
    const TraEntry translated = references.FindTranslated(*file, decision.referenceId);
    if (!translated) {
        row.notApplied = "the translation of " + decision.referenceFile + " has no Id " +
                         std::to_string(decision.referenceId);
        return std::nullopt;
    }
    apply.maleText = translated.MaleText();
    apply.femaleText = translated.FemaleText();
    return apply;
}

std::optional<DecisionToApply> ReviewDecisions::CheckEdit(Row& row) {
    std::optional<std::string> male = EncodeForCodePage(row.decision.translation, codePage);
    std::optional<std::string> female = EncodeForCodePage(row.decision.femaleTranslation, codePage);
    if (!male || !female) {
        row.notApplied = "the translation holds a character that code page " +
                         std::to_string(codePage) + " cannot write";
        return std::nullopt;
    }
    if (!TraCanHold(*male) || !TraCanHold(*female)) {
        row.notApplied =
            "the translation holds each of ~, \", % and ~~~~~, so no tra file "
            "can hold it";
        return std::nullopt;
    }
    return DecisionToApply{DecisionKind::Edit, 0, 0, std::move(*male), std::move(*female)};
}

std::vector<std::string> ReviewDecisions::ReportLines() const {
    std::array<std::int32_t, 3> counts{};  // by DecisionKind
    std::vector<std::string> notApplied;
    for (const Row& row : rows) {
        if (row.applied) {
            ++counts[static_cast<int>(row.decision.kind)];
        } else {
            notApplied.push_back(NotAppliedLine(row.decision, row.notApplied));
        }
    }
    std::vector<std::string> lines;
    lines.push_back("Review decisions: " + std::to_string(counts[0]) + " accepted, " +
                    std::to_string(counts[1]) + " rejected, " + std::to_string(counts[2]) +
                    " edited, " + std::to_string(notApplied.size()) + " not applied");
    lines.insert(lines.end(), notApplied.begin(), notApplied.end());
    return lines;
}

}  // namespace wordgleaner
