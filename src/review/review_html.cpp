#include "review/review_html.h"

#include <array>
#include <unordered_set>

#include "matching/output/number_format.h"
#include "review/html_text.h"
#include "review/review_counts.h"
#include "review/review_page_assets.h"
#include "review/text_encoding.h"
#include "review/word_diff.h"
#include "store/text_file.h"

namespace wordgleaner {

namespace {

// The page is handed to the file in pieces of about this size, so that it is
// never held whole in memory.
constexpr std::size_t WriteChunk = 64 * 1024;

constexpr std::array<ReviewOutcome, ReviewOutcomeCount> AllOutcomes = {
    ReviewOutcome::Exact,
    ReviewOutcome::ExactUpToCase,
    ReviewOutcome::ExactOtherTranslations,
    ReviewOutcome::ExactUpToCaseOtherTranslations,
    ReviewOutcome::VeryLikely,
    ReviewOutcome::Likely,
    ReviewOutcome::LikelyWrongSound,
    ReviewOutcome::MissingTranslation,
    ReviewOutcome::NotFound,
    ReviewOutcome::Empty,
};

constexpr std::size_t CandidatePreviewBytes = 60;

// The start of a text, cut at a character border, with an ellipsis when
// something was cut.
std::string Preview(std::string utf8) {
    if (utf8.size() <= CandidatePreviewBytes) {
        return utf8;
    }
    std::size_t cut = CandidatePreviewBytes;
    while (cut > 0 && (static_cast<unsigned char>(utf8[cut]) & 0xC0) == 0x80) {
        --cut;
    }
    utf8.resize(cut);
    return utf8 + "\u2026";
}

bool IsAsciiSpace(char character) {
    return character == ' ' || character == '\t' || character == '\n' || character == '\r' ||
           character == '\f';
}

// As a browser's encodeURIComponent does, so that the script decodes the
// value it finds in the page address back to the file name.
std::string PercentEncoded(std::string_view utf8) {
    constexpr char Hex[] = "0123456789ABCDEF";
    std::string encoded;
    for (char character : utf8) {
        const auto byte = static_cast<unsigned char>(character);
        const bool unreserved = (byte >= 'A' && byte <= 'Z') || (byte >= 'a' && byte <= 'z') ||
                                (byte >= '0' && byte <= '9') || byte == '-' || byte == '_' ||
                                byte == '.' || byte == '~';
        if (unreserved) {
            encoded += character;
        } else {
            encoded += '%';
            encoded += Hex[byte >> 4];
            encoded += Hex[byte & 0xF];
        }
    }
    return encoded;
}

// Row anchors like "setup.tra-12", unique in the page: an id may appear
// twice in a mod file, and an HTML id holds no spaces.
class AnchorNames {
public:
    std::string For(std::string_view fileUtf8, std::int32_t id) {
        std::string base;
        for (char character : fileUtf8) {
            base += IsAsciiSpace(character) ? '_' : character;
        }
        base += '-';
        base += std::to_string(id);
        std::string name = base;
        for (int repeat = 2; !used.insert(name).second; ++repeat) {
            name = base + "-" + std::to_string(repeat);
        }
        return name;
    }

private:
    std::unordered_set<std::string> used;
};

// Names the run's rows for the decisions the page keeps in the browser: the
// same rows get the same key, so a page written again for an unchanged mod
// finds its decisions, and a page of other rows starts afresh. FNV-1a over
// the texts that make a row.
std::string RunKey(std::span<const ReviewRecord> records) {
    constexpr std::uint64_t OffsetBasis = 14695981039346656037ULL;
    constexpr std::uint64_t Prime = 1099511628211ULL;
    std::uint64_t hash = OffsetBasis;
    auto add = [&hash](std::string_view bytes) {
        for (char byte : bytes) {
            hash = (hash ^ static_cast<unsigned char>(byte)) * Prime;
        }
        hash = (hash ^ 0xFFu) * Prime;  // ends a field: "ab","c" is not "a","bc"
    };
    for (const ReviewRecord& record : records) {
        add(record.modFile);
        add(std::to_string(record.id));
        add(record.modText);
        add(record.referenceFile);
        add(std::to_string(record.referenceId));
    }
    constexpr char Hex[] = "0123456789abcdef";
    std::string key(16, '0');
    for (std::size_t digit = key.size(); digit-- > 0; hash >>= 4) {
        key[digit] = Hex[hash & 0xF];
    }
    return key;
}

// The reference file of every candidate when there is only one, or null.
const std::string* SoleReferenceFile(std::span<const ReviewRecord> records) {
    const std::string* sole = nullptr;
    auto same = [&sole](const std::string& file) {
        if (sole == nullptr) {
            sole = &file;
        }
        return *sole == file;
    };
    for (const ReviewRecord& record : records) {
        if (record.HasBest() && !same(record.referenceFile)) {
            return nullptr;
        }
        for (const ReviewCandidate& candidate : record.otherCandidates) {
            if (!same(candidate.referenceFile)) {
                return nullptr;
            }
        }
        for (const ReviewAlternative& alternative : record.alternatives) {
            if (!same(alternative.referenceFile)) {
                return nullptr;
            }
        }
    }
    return sole;
}

class ReviewPage {
public:
    ReviewPage(TextFileWriter& file, int codePage) : file(file), decoder(codePage) {}

    void Write(const ReviewSummary& summary, std::span<const ReviewRecord> records) {
        const ReviewCounts counts = CountOutcomes(records);
        Head();
        Settings(summary);
        soleReferenceFile = SoleReferenceFile(records);
        if (soleReferenceFile != nullptr) {
            out += "<p>Every match was found in reference file <b>";
            AppendText(out, *soleReferenceFile, decoder);
            out += "</b>; the rows give its ids.</p>\n";
        }
        CountsByOutcome(counts.all);
        CountsByFile("Entries by mod file", "Mod file", counts.modFiles, true);
        if (counts.referenceFiles.size() > 1) {
            CountsByFile("Entries by reference file", "Reference file", counts.referenceFiles,
                         false);
        }
        ExactMatches(records, counts.all);
        Filters(counts.modFiles);
        DecisionBar();
        Rows(records);
        Tail();
        Flush();
    }

private:
    void Head() {
        out +=
            "<!DOCTYPE html>\n<html lang=\"en\">\n<head>\n<meta charset=\"utf-8\">\n"
            "<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\">\n"
            "<title>Wordgleaner review</title>\n<style>";
        out += ReviewPageStyle();
        out +=
            "</style>\n</head>\n<body>\n<h1>Wordgleaner review</h1>\n"
            "<p>Every entry that is not an exact match, or whose exact match has equal "
            "reference texts of other translations, has a row below; a link to "
            "<code>Wordgleaner_review.html#setup.tra-12</code> leads to entry 12 of "
            "setup.tra (spaces of the file name as underscores).</p>\n";
    }

    void Settings(const ReviewSummary& summary) {
        if (summary.settings.empty()) {
            return;
        }
        out += "<table id=\"settings\"><caption>Settings</caption>\n";
        for (const ReviewSetting& setting : summary.settings) {
            out += "<tr><th>";
            AppendText(out, setting.label, decoder);
            out += "</th><td>";
            AppendText(out, setting.value, decoder);
            out += "</td></tr>\n";
        }
        out += "</table>\n";
    }

    void CountsByOutcome(const OutcomeCounts& counts) {
        out += "<table id=\"outcomes\" class=\"n\"><caption>Entries by outcome</caption>\n";
        for (ReviewOutcome outcome : AllOutcomes) {
            out += "<tr><th>";
            if (NeedsReview(outcome)) {
                out += "<a href=\"#outcome=";
                out += OutcomeKey(outcome);
                out += "\">";
                out += OutcomeLabel(outcome);
                out += "</a>";
            } else {
                out += OutcomeLabel(outcome);
            }
            out += "</th><td>";
            out += std::to_string(CountOf(counts, outcome));
            out += "</td></tr>\n";
        }
        out += "<tr><th>all</th><td>";
        out += std::to_string(TotalOf(counts));
        out += "</td></tr>\n</table>\n";
    }

    void CountsByFile(std::string_view caption, std::string_view firstColumn,
                      const std::vector<FileCounts>& files, bool linkToRows) {
        out += "<table class=\"n\"><caption>";
        out += caption;
        out += "</caption>\n<tr><th>";
        out += firstColumn;
        out += "</th>";
        for (ReviewOutcome outcome : AllOutcomes) {
            out += "<th>";
            out += OutcomeLabel(outcome);
            out += "</th>";
        }
        out += "<th>all</th></tr>\n";
        for (const FileCounts& entry : files) {
            FileCountsRow(entry, linkToRows);
        }
        out += "</table>\n";
    }

    void FileCountsRow(const FileCounts& entry, bool linkToRows) {
        const std::string name = decoder.ToUtf8(entry.file);
        out += "<tr><th>";
        if (linkToRows) {
            out += "<a href=\"#file=";
            AppendEscaped(out, PercentEncoded(name));
            out += "\">";
        }
        AppendEscaped(out, name);
        out += linkToRows ? "</a></th>" : "</th>";
        for (int count : entry.counts) {
            out += "<td>";
            out += std::to_string(count);
            out += "</td>";
        }
        out += "<td>";
        out += std::to_string(TotalOf(entry.counts));
        out += "</td></tr>\n";
    }

    void ExactMatches(std::span<const ReviewRecord> records, const OutcomeCounts& counts) {
        const int exact = CountOf(counts, ReviewOutcome::Exact);
        if (exact == 0) {
            return;
        }
        out += "<details id=\"exact\"><summary>Exact matches: ";
        out += std::to_string(exact);
        out += "</summary>\n<ul>\n";
        for (const ReviewRecord& record : records) {
            const ReviewOutcome outcome = ReviewOutcomeOf(record);
            if (NeedsReview(outcome)) {
                continue;
            }
            out += "<li>";
            AppendText(out, record.modFile, decoder);
            out += ' ';
            out += std::to_string(record.id);
            out += ": ";
            Reference(record.referenceFile, record.referenceId);
            out += ", ";
            out += OutcomeLabel(outcome);
            out += "</li>\n";
            FlushIfFull();
        }
        out += "</ul>\n</details>\n";
    }

    // Hidden until the script shows it: without the script it would do
    // nothing.
    void Filters(const std::vector<FileCounts>& modFiles) {
        out +=
            "<form id=\"filters\" hidden><label>Outcome <select id=\"outcome\">"
            "<option value=\"need\" selected>needing a decision</option>"
            "<option value=\"\">all</option>";
        for (ReviewOutcome outcome : AllOutcomes) {
            if (NeedsReview(outcome)) {
                out += "<option value=\"";
                out += OutcomeKey(outcome);
                out += "\">";
                out += OutcomeLabel(outcome);
                out += "</option>";
            }
        }
        out +=
            "</select></label>\n<label>Likeliness from <input id=\"min\" type=\"number\" "
            "step=\"any\"> to <input id=\"max\" type=\"number\" step=\"any\"> %</label>\n"
            "<label>Mod file <select id=\"file\"><option value=\"\">all</option>";
        for (const FileCounts& entry : modFiles) {
            const std::string name = decoder.ToUtf8(entry.file);
            out += "<option value=\"";
            AppendEscaped(out, name);
            out += "\">";
            AppendEscaped(out, name);
            out += "</option>";
        }
        out +=
            "</select></label>\n<label>Search <input id=\"q\" type=\"search\" "
            "placeholder=\"text or id\"></label>\n<label>Sort by <select id=\"sort\">"
            "<option value=\"\">page order</option><option value=\"l\">likeliness"
            "</option><option value=\"f\">mod file and id</option></select></label>\n"
            "<output id=\"shown\"></output></form>\n";
    }

    // The decisions are made and saved by the script alone: hidden until it
    // runs.
    void DecisionBar() {
        out +=
            "<div id=\"decide\" hidden><output id=\"decided\"></output> "
            "<button type=\"button\" id=\"save\">Save decisions</button>\n"
            "<p class=\"keys\">Keys: <kbd>j</kbd> next row, <kbd>k</kbd> previous row, "
            "<kbd>a</kbd> accept, <kbd>r</kbd> reject (keep the mod&#39;s text), "
            "<kbd>e</kbd> edit, <kbd>1</kbd>&ndash;<kbd>9</kbd> choose a candidate, "
            "<kbd>u</kbd> undo; in an edit, <kbd>Ctrl</kbd>+<kbd>Enter</kbd> keeps it and "
            "<kbd>Esc</kbd> leaves it. Decisions stay in this browser until saved as "
            "<code>Wordgleaner_decisions.csv</code>.</p></div>\n";
    }

    void Rows(std::span<const ReviewRecord> records) {
        out += "<table id=\"rows\" data-run=\"";
        out += RunKey(records);
        if (soleReferenceFile != nullptr) {
            out += "\" data-r=\"";
            AppendText(out, *soleReferenceFile, decoder);
        }
        out +=
            "\"><thead><tr><th>Entry</th><th>Outcome</th><th>Mod text</th>"
            "<th>Reference text</th><th>Translation (<span class=\"w\">would be, for a "
            "likely match</span>)</th><th>Other candidates</th></tr></thead>\n"
            "<!-- Each row: data-o its outcome, data-l the likeliness in per cent of its "
            "best candidate, data-f its mod file, data-i and data-r the reference id and "
            "file of its best candidate (data-r of the table when there is one reference "
            "file); the same on each other candidate and alternative (data-r when its file is "
            "not the row's). -->\n<tbody>\n";
        for (const ReviewRecord& record : records) {
            const ReviewOutcome outcome = ReviewOutcomeOf(record);
            if (NeedsReview(outcome)) {
                Row(record, outcome);
                FlushIfFull();
            }
        }
        out += "</tbody></table>\n";
    }

    // The end tags of cells, list items and rows are left out, as HTML
    // allows: on a page of ten thousand rows they would add half a megabyte.
    // For the same reason a row holds no link to itself (its anchor, named
    // in the page's head, is enough to link to it), and its data attributes
    // have one-letter names, told in a comment of the page.
    void Row(const ReviewRecord& record, ReviewOutcome outcome) {
        const std::string file = decoder.ToUtf8(record.modFile);
        const std::string anchor = anchors.For(file, record.id);
        out += "<tr id=\"";
        AppendEscaped(out, anchor);
        out += "\" data-o=\"";
        out += OutcomeKey(outcome);
        out += '"';
        if (record.HasBest()) {
            out += " data-l=\"";
            out += FormatLikelinessPercent(record.likeliness);
            out += '"';
            ChoiceAttributes(record.referenceFile, record.referenceId);
        }
        out += " data-f=\"";
        AppendEscaped(out, file);
        out += "\"><td>";
        AppendEscaped(out, file);
        out += ' ';
        out += std::to_string(record.id);
        out += "<td>";
        OutcomeCell(record);
        TextCells(record);
        out += "<td>";
        Candidates(record);
        out += '\n';
    }

    // The script takes a decision's reference file and id from these, not
    // from the text shown. A file name is left out where the script finds it
    // one level up: a candidate's in its row, a row's in the table.
    void ChoiceAttributes(const std::string& referenceFile, std::int32_t id,
                          const std::string* inherited = nullptr) {
        out += " data-i=\"";
        out += std::to_string(id);
        out += '"';
        const bool known = inherited != nullptr && *inherited == referenceFile;
        if (soleReferenceFile == nullptr && !known) {
            out += " data-r=\"";
            AppendText(out, referenceFile, decoder);
            out += '"';
        }
    }

    void OutcomeCell(const ReviewRecord& record) {
        out += RowOutcomeLabel(record);
        if (!record.HasBest()) {
            return;
        }
        out += ' ';
        out += FormatLikelinessPercent(record.likeliness);
        out += " %<br>";
        Reference(record.referenceFile, record.referenceId);
    }

    // With a single reference file, named once at the top, a row names
    // only the id.
    void Reference(const std::string& referenceFile, std::int32_t id) {
        if (soleReferenceFile == nullptr) {
            AppendText(out, referenceFile, decoder);
            out += ' ';
        } else {
            out += "Id ";
        }
        out += std::to_string(id);
    }

    // The mod text is the later text of the diff: its extra words are the
    // inserted ones.
    void TextCells(const ReviewRecord& record) {
        out += "<td>";
        if (record.HasBest()) {
            const WordDiff diff = DiffWords(record.referenceText, record.modText);
            AppendMarkedText(out, record.modText, diff.after, decoder);
            Aside("s", record.modSound);
            out += "<td>";
            AppendMarkedText(out, record.referenceText, diff.before, decoder);
            Aside("s", record.referenceSound);
        } else {
            AppendText(out, record.modText, decoder);
            Aside("s", record.modSound);
            out += "<td>";
        }
        out += record.outcome == MatchOutcome::Likely ? "<td class=\"w\">" : "<td>";
        AppendText(out, record.translatedText, decoder);
        Aside("fe", record.translatedFemaleText);
    }

    // A text that belongs beside another one: a sound reference ("s") or a
    // female text ("fe"), labelled by the style sheet so that the script
    // reads the cell's own text without it.
    void Aside(std::string_view className, std::string_view bytes) {
        if (bytes.empty()) {
            return;
        }
        out += "<div class=\"";
        out += className;
        out += "\">";
        AppendText(out, bytes, decoder);
        out += "</div>";
    }

    // The other candidates are there to show that a better pick may exist;
    // their full texts are in the reference under the id shown. In full,
    // four of them per row would make the page several times as large.
    void Candidates(const ReviewRecord& record) {
        if (record.otherCandidates.empty() && record.alternatives.empty()) {
            return;
        }
        out += "<ul>";
        for (const ReviewCandidate& candidate : record.otherCandidates) {
            ChoiceItem("", record, candidate.referenceFile, candidate.referenceId);
            out += ": ";
            out += FormatLikelinessPercent(candidate.likeliness);
            out += candidate.wrongSound ? " %, wrong sound<br>" : " %<br>";
            AppendEscaped(out, Preview(decoder.ToUtf8(candidate.text)));
            PreviewAside("s", candidate.sound);
            PreviewAside("tr", candidate.translatedText);
        }
        for (const ReviewAlternative& alternative : record.alternatives) {
            ChoiceItem(" class=\"a\"", record, alternative.referenceFile, alternative.referenceId);
            PreviewAside("tr", alternative.translatedText);
            // Two translations may differ only in their female texts.
            PreviewAside("fe", alternative.translatedFemaleText);
        }
        out += "</ul>";
    }

    void ChoiceItem(std::string_view attributes, const ReviewRecord& record,
                    const std::string& referenceFile, std::int32_t id) {
        out += "<li";
        out += attributes;
        ChoiceAttributes(referenceFile, id, &record.referenceFile);
        out += '>';
        Reference(referenceFile, id);
    }

    void PreviewAside(std::string_view className, std::string_view bytes) {
        if (bytes.empty()) {
            return;
        }
        out += "<div class=\"";
        out += className;
        out += "\">";
        AppendEscaped(out, Preview(decoder.ToUtf8(bytes)));
        out += "</div>";
    }

    void Tail() {
        out += "<script>";
        out += ReviewPageScript();
        out += ReviewDecisionScript();
        out += "</script>\n</body>\n</html>\n";
    }

    void FlushIfFull() {
        if (out.size() >= WriteChunk) {
            Flush();
        }
    }

    void Flush() {
        file.Write(out);
        out.clear();
    }

    TextFileWriter& file;
    CodePageDecoder decoder;
    AnchorNames anchors;
    const std::string* soleReferenceFile = nullptr;
    std::string out;
};

}  // namespace

// The file writer turns every LF into CR LF. HTML reads CR LF as one line
// break, in text and in attribute values alike, so the texts' line breaks
// show as they are.
TraFailure WriteReviewHtml(const std::string& path, const ReviewSummary& summary,
                           std::span<const ReviewRecord> records, int codePage) {
    TextFileWriter file;
    if (file.Open(path) == TraOk) {
        ReviewPage(file, codePage).Write(summary, records);
        file.Commit();
    }
    return file.LastFailure();
}

}  // namespace wordgleaner
