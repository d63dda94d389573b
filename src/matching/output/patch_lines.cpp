#include "matching/output/patch_lines.h"

#include "matching/output/match_messages.h"
#include "matching/output/number_format.h"

namespace wordgleaner {

namespace {

constexpr char HexDigits[] = "0123456789ABCDEF";

// A name as a patch comment may hold it: every line of the patch is either
// a comment or a command, so a line break in a file name would end the
// comment and leave the rest of the name to stand as a command. Control
// characters are written as C escapes instead, the other bytes as they are.
std::string InLine(std::string_view name) {
    std::string text;
    text.reserve(name.size());
    for (const char character : name) {
        const auto byte = static_cast<unsigned char>(character);
        if (byte >= 0x20 && byte != 0x7F) {
            text += character;
        } else if (character == '\n') {
            text += "\\n";
        } else if (character == '\r') {
            text += "\\r";
        } else if (character == '\t') {
            text += "\\t";
        } else {
            text += "\\x";
            text += HexDigits[byte >> 4];
            text += HexDigits[byte & 0xF];
        }
    }
    return text;
}

std::string StringSet(std::int32_t entryId, std::int32_t referenceId) {
    return "STRING_SET ~" + std::to_string(entryId) + "~ @" + std::to_string(referenceId) + "\t// ";
}

// The reference id of `candidate` and, with several reference files, its file.
std::string StringSetFrom(std::int32_t entryId, const MatchCandidate& candidate,
                          std::span<const std::string> referenceNames) {
    std::string line = StringSet(entryId, candidate.referenceId);
    if (!referenceNames.empty()) {
        line += InLine(referenceNames[candidate.referenceFile]) + ": ";
    }
    return line;
}

std::string LiveLine(std::int32_t entryId, const MatchCandidate& best,
                     std::span<const std::string> referenceNames, std::string_view note) {
    return "\t" + StringSetFrom(entryId, best, referenceNames) + std::string(note) + "\n";
}

std::string LikelyLines(std::int32_t entryId, const SearchResult& result,
                        std::span<const std::string> referenceNames) {
    std::string lines;
    for (const MatchCandidate& candidate : result.Found()) {
        lines += "//\t" + StringSetFrom(entryId, candidate, referenceNames) + "Likeliness " +
                 LikelinessPercent(candidate) + " %";
        lines += WrongSoundMark(candidate);
        lines += '\n';
    }
    return lines;
}

}  // namespace

std::string PatchOpeningLine(std::string_view modName, std::string_view destinationName) {
    return "// Recovered for " + InLine(modName) + ", from " + InLine(destinationName) + "\n";
}

std::string PatchEntryLines(MatchOutcome outcome, std::int32_t entryId, const SearchResult& result,
                            std::span<const std::string> referenceNames) {
    const MatchCandidate& best = result.Best();
    switch (outcome) {
        case MatchOutcome::Exact:
            return LiveLine(entryId, best, referenceNames, "Exact match");
        case MatchOutcome::AlmostExact:
            return LiveLine(entryId, best, referenceNames, "Almost exact match");
        case MatchOutcome::VeryLikely:
            return LiveLine(entryId, best, referenceNames,
                            "Very likely " + FormatLikeliness(best.score) + " %");
        case MatchOutcome::Likely:
            return LikelyLines(entryId, result, referenceNames);
        case MatchOutcome::NotFound:
            return "//\tText " + std::to_string(entryId) + " Not found\n";
        case MatchOutcome::Empty:
            return "//\t" + StringSet(entryId, entryId) + "Empty text\n";
    }
    return {};
}

std::string PatchClosingLines(const PatchSummary& summary, std::string_view modName,
                              std::string_view destinationName, bool interrupted) {
    return "// Processed entries " + std::to_string(summary.processed) + " / " +
           std::to_string(summary.total) + ": Exact " + std::to_string(summary.exact) +
           " / Very likely " + std::to_string(summary.veryLikely) + " / Likely " +
           std::to_string(summary.likely) + " / Empty " + std::to_string(summary.empty) + "\n" +
           "// End of recovery for " + InLine(modName) + ", from " + InLine(destinationName) +
           (interrupted ? " (interrupted)" : "") + "\n";
}

}  // namespace wordgleaner
