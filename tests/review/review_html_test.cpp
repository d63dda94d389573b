#include "review/review_html.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <map>

#include "review/text_encoding.h"
#include "sample_records.h"
#include "support/file_size_limit.h"
#include "support/temp_dir.h"

using namespace wordgleaner;
using test_support::SampleRecord;
using test_support::SampleRecords;
using test_support::TempDir;
using test_support::WithBest;

namespace {

// One element of the page as a simple tag scanner sees it: the attributes
// of its opening tag and the inner HTML of each of its cells.
struct Element {
    std::map<std::string, std::string> attributes;
    std::vector<std::string> cells;
};

std::map<std::string, std::string> AttributesOf(std::string_view tag) {
    std::map<std::string, std::string> attributes;
    std::size_t position = 0;
    while ((position = tag.find('=', position)) != std::string_view::npos) {
        const std::size_t nameStart = tag.rfind(' ', position) + 1;
        const std::size_t valueEnd = tag.find('"', position + 2);
        attributes[std::string(tag.substr(nameStart, position - nameStart))] =
            std::string(tag.substr(position + 2, valueEnd - position - 2));
        position = valueEnd + 1;
    }
    return attributes;
}

// Searches only up to `end`: the whole page, for every cell, would take
// minutes on a page of ten thousand rows.
std::size_t NextCell(std::string_view page, std::size_t from, std::size_t end) {
    const std::string_view row = page.substr(0, end);
    return std::min({row.find("<td", from), row.find("<th", from), end});
}

// What lies between a cell's opening tag and the next cell or the end of
// its row, without the optional end tags and the line end.
std::string_view CellContent(std::string_view content) {
    for (bool trimmed = true; trimmed;) {
        trimmed = false;
        for (std::string_view tail : {"\r\n", "</td>", "</th>", "</tr>"}) {
            if (content.ends_with(tail)) {
                content.remove_suffix(tail.size());
                trimmed = true;
            }
        }
    }
    return content;
}

// The rows of a table, from one "<tr" to the next or to the end of the
// table, split into their cells: end tags of rows and cells are optional.
std::vector<Element> RowsOf(std::string_view page, std::string_view tableId) {
    std::vector<Element> rows;
    const std::size_t table = page.find("<table id=\"" + std::string(tableId) + "\"");
    if (table == std::string_view::npos) {
        return rows;
    }
    const std::size_t end = std::min(page.find("</tbody>", table), page.find("</table>", table));
    std::size_t position = page.find("<tr", table);
    while (position < end) {
        const std::size_t tagEnd = page.find('>', position);
        const std::size_t rowEnd = std::min(page.substr(0, end).find("<tr", tagEnd), end);
        Element row{AttributesOf(page.substr(position + 3, tagEnd - position - 3)), {}};
        for (std::size_t cell = NextCell(page, tagEnd, rowEnd); cell < rowEnd;) {
            const std::size_t open = page.find('>', cell) + 1;
            const std::size_t next = NextCell(page, open, rowEnd);
            row.cells.emplace_back(CellContent(page.substr(open, next - open)));
            cell = next;
        }
        rows.push_back(std::move(row));
        position = rowEnd;
    }
    return rows;
}

// The text a browser shows for some inner HTML: tags dropped, <br> a line
// break, the five escapes undone, CR LF read as LF.
std::string TextOf(std::string_view html) {
    std::string text;
    for (std::size_t i = 0; i < html.size(); ++i) {
        if (html[i] == '<') {
            const std::size_t close = html.find('>', i);
            if (html.substr(i, close - i + 1) == "<br>") {
                text += '\n';
            }
            i = close;
        } else if (html[i] == '&') {
            const std::size_t semicolon = html.find(';', i);
            const std::string_view entity = html.substr(i, semicolon - i + 1);
            text += entity == "&amp;"    ? "&"
                    : entity == "&lt;"   ? "<"
                    : entity == "&gt;"   ? ">"
                    : entity == "&quot;" ? "\""
                    : entity == "&#39;"  ? "'"
                                         : "?";
            i = semicolon;
        } else if (html[i] == '\r' && i + 1 < html.size() && html[i + 1] == '\n') {
            continue;
        } else {
            text += html[i];
        }
    }
    return text;
}

// A text cell without the sound reference or female text written after it.
std::string_view Own(std::string_view cell) {
    return cell.substr(0, cell.find("<div"));
}

std::string Shown(std::string_view bytes) {
    std::string text = ToUtf8(bytes, 1252);
    std::erase(text, '\r');
    return text;
}

std::string WritePage(const TempDir& dir, const std::vector<ReviewRecord>& records,
                      const ReviewSummary& summary = {}) {
    const std::string path = dir / ReviewPageName;
    EXPECT_EQ(WriteReviewHtml(path, summary, records, 1252).code, TraOk);
    return TempDir::Read(path);
}

std::vector<ReviewRecord> RecordsNeedingReview(const std::vector<ReviewRecord>& records) {
    std::vector<ReviewRecord> needed;
    for (const ReviewRecord& record : records) {
        if (NeedsReview(ReviewOutcomeOf(record))) {
            needed.push_back(record);
        }
    }
    return needed;
}

TEST(ReviewHtml, HasOneRowForEveryEntryThatIsNotAnExactMatch) {
    TempDir dir;
    const std::vector<ReviewRecord> records = SampleRecords();
    const std::string page = WritePage(dir, records);
    const std::vector<ReviewRecord> expected = RecordsNeedingReview(records);
    const std::vector<Element> rows = RowsOf(page, "rows");
    ASSERT_EQ(rows.size(), expected.size() + 1);  // and the head row
    for (std::size_t i = 0; i < expected.size(); ++i) {
        const ReviewRecord& record = expected[i];
        const Element& row = rows[i + 1];
        SCOPED_TRACE(record.modFile + " " + std::to_string(record.id));
        const ReviewOutcome outcome = ReviewOutcomeOf(record);
        EXPECT_EQ(row.attributes.at("data-o"), OutcomeKey(outcome));
        EXPECT_EQ(row.attributes.at("data-f"), record.modFile);
        EXPECT_EQ(row.attributes.count("data-l"), record.HasBest() ? 1u : 0u);
        ASSERT_EQ(row.cells.size(), 6u);
        EXPECT_EQ(TextOf(row.cells[0]), record.modFile + " " + std::to_string(record.id));
        EXPECT_EQ(TextOf(row.cells[1]).substr(0, OutcomeLabel(outcome).size()),
                  OutcomeLabel(outcome));
        EXPECT_EQ(TextOf(Own(row.cells[2])), Shown(record.modText));
        EXPECT_EQ(TextOf(Own(row.cells[3])), Shown(record.referenceText));
        EXPECT_EQ(TextOf(Own(row.cells[4])), Shown(record.translatedText));
    }
}

TEST(ReviewHtml, GivesRowsAnchorsByFileAndIdThatStayUnique) {
    TempDir dir;
    const std::vector<Element> rows = RowsOf(WritePage(dir, SampleRecords()), "rows");
    ASSERT_GE(rows.size(), 15u);
    EXPECT_EQ(rows[2].attributes.at("id"), "setup.tra-3");
    EXPECT_EQ(rows[2].cells[0], "setup.tra 3");
    // A space of the file name is no part of an HTML id; an id repeated in
    // a file gets a second anchor of its own.
    EXPECT_EQ(rows[13].attributes.at("id"), "items_tra.tra-7");
    EXPECT_EQ(rows[14].attributes.at("id"), "items_tra.tra-7-2");
    EXPECT_EQ(rows[14].cells[0], "items tra.tra 7");
}

TEST(ReviewHtml, EscapesTextsSoThatNoneBecomesMarkup) {
    TempDir dir;
    ReviewSummary summary{{{"Mod folder", "C:\\mods\\<new> & \"old\""}}};
    const std::string page = WritePage(dir, SampleRecords(), summary);
    EXPECT_EQ(page.find("<CHARNAME>"), std::string::npos);
    EXPECT_EQ(page.find("<door>"), std::string::npos);
    EXPECT_EQ(page.find("<new>"), std::string::npos);
    EXPECT_NE(page.find("&lt;CHARNAME&gt;"), std::string::npos);
    EXPECT_NE(page.find("Open a &lt;door&gt;."), std::string::npos);
    EXPECT_NE(page.find("Nobody says &#39;this&#39;."), std::string::npos);
    const std::vector<Element> settings = RowsOf(page, "settings");
    ASSERT_EQ(settings.size(), 1u);
    EXPECT_EQ(TextOf(settings[0].cells[1]), "C:\\mods\\<new> & \"old\"");
}

TEST(ReviewHtml, MarksTheWordsAndMarksThatDifferInTheModAndReferenceTexts) {
    TempDir dir;
    const std::vector<Element> rows = RowsOf(WritePage(dir, SampleRecords()), "rows");
    // setup.tra 4: "Open the door & "run"." against "Close the door & run."
    const Element& likely = rows[3];
    EXPECT_EQ(likely.cells[2],
              "<mark>Open</mark> the door &amp; <ins>&quot;</ins>run<ins>&quot;</ins>.");
    EXPECT_EQ(likely.cells[3], "<mark>Close</mark> the door &amp; run.");
    // setup.tra 3: "Take the sword, <CHARNAME>." against "Take the sword <CHARNAME>!"
    EXPECT_EQ(rows[2].cells[2], "Take the sword<ins>,</ins> &lt;CHARNAME&gt;<mark>.</mark>");
    EXPECT_EQ(rows[2].cells[3], "Take the sword &lt;CHARNAME&gt;<mark>!</mark>");
    // items tra.tra 3: "Shield" against "Small shield"
    // setup.tra 2, exact up to case: a row, its changed case marked
    EXPECT_EQ(rows[1].cells[2], "<mark>HELLO</mark>.");
    EXPECT_EQ(rows[9].cells[2], "<mark>Shield</mark>");
    EXPECT_EQ(rows[9].cells[3], "<mark>Small shield</mark>");
}

TEST(ReviewHtml, ListsTheOtherCandidatesWithTheirLikelinessSoundAndTranslation) {
    TempDir dir;
    const std::vector<Element> rows = RowsOf(WritePage(dir, SampleRecords()), "rows");
    EXPECT_EQ(TextOf(rows[3].cells[5]),
              "dialog.tra 301: 55.0 %\nOpen a <door>.Ouvre une <porte>.dialog.tra 302: 51.5 %, "
              "wrong sound\nOpen it.OPEN02Ouvre-la.");
    // In the file of the row's best candidate, named on the row.
    EXPECT_NE(rows[3].cells[5].find("<li data-i=\"302\">"), std::string::npos);
    EXPECT_NE(rows[3].cells[5].find("<div class=\"s\">OPEN02</div><div class=\"tr\">Ouvre-la."),
              std::string::npos);
    EXPECT_EQ(TextOf(rows[3].cells[1]), "likely 65.9 %\ndialog.tra 300");
    EXPECT_EQ(rows[6].cells[5], "");
}

// A "likely, wrong sound" row is judged by its sound references; an edit
// starts from both translated texts.
TEST(ReviewHtml, ShowsSoundReferencesAndTheFemaleTranslationBesideTheirTexts) {
    TempDir dir;
    const std::vector<Element> rows = RowsOf(WritePage(dir, SampleRecords()), "rows");
    const Element& wrongSound = rows[4];
    ASSERT_EQ(wrongSound.attributes.at("id"), "setup.tra-5");
    EXPECT_EQ(wrongSound.cells[2], "Welcome, traveller.<div class=\"s\">WELCOME1</div>");
    EXPECT_EQ(wrongSound.cells[3], "Welcome, traveller.<div class=\"s\">WELCOME2</div>");
    EXPECT_EQ(wrongSound.cells[4],
              "Bienvenue, voyageur.<div class=\"fe\">Bienvenue, voyageuse.</div>");
    EXPECT_EQ(rows[2].cells[2].find("<div"), std::string::npos);
}

// The script saves a decision with the reference file and id of the chosen
// candidate: they are attributes, not read back from the text shown.
TEST(ReviewHtml, GivesEveryRowWithACandidateTheReferenceFileAndIdOfItsBest) {
    TempDir dir;
    const std::vector<Element> rows = RowsOf(WritePage(dir, SampleRecords()), "rows");
    EXPECT_EQ(rows[3].attributes.at("data-i"), "300");
    EXPECT_EQ(rows[3].attributes.at("data-r"), "dialog.tra");
    EXPECT_EQ(rows[10].attributes.at("data-i"), "13");
    EXPECT_EQ(rows[10].attributes.at("data-r"), "items.tra");
    EXPECT_EQ(rows[6].attributes.count("data-i"), 0u);  // not found
    // With one reference file it is named once, on the table.
    std::vector<ReviewRecord> sole{
        WithBest(SampleRecord("a.tra", 1, MatchOutcome::Likely, "a b"), "r.tra", 7, 60, "a", "")};
    sole[0].otherCandidates.push_back(test_support::Candidate("r.tra", 8, 55, false, "b"));
    const std::string page = WritePage(dir, sole);
    EXPECT_NE(page.find("<table id=\"rows\" data-run=\""), std::string::npos);
    EXPECT_NE(page.find("\" data-r=\"r.tra\"><thead>"), std::string::npos);
    const Element row = RowsOf(page, "rows")[1];
    EXPECT_EQ(row.attributes.at("data-i"), "7");
    EXPECT_EQ(row.attributes.count("data-r"), 0u);
    EXPECT_NE(row.cells[5].find("<li data-i=\"8\">"), std::string::npos);
}

// The other translations of an ambiguous text are choices like the other
// candidates, after them.
TEST(ReviewHtml, ListsAlternativeTranslationsAsChoicesAfterTheCandidates) {
    TempDir dir;
    ReviewRecord record = WithBest(SampleRecord("a.tra", 1, MatchOutcome::Likely, "Yes."), "r.tra",
                                   10, 90, "Yes!", "Oui !");
    record.otherCandidates.push_back(test_support::Candidate("r.tra", 11, 80, false, "Yes"));
    record.alternatives.push_back({"Si.", "", "other.tra", 12});
    record.alternatives.push_back({"Ouais & \"bon\".", "Ouaise.", "r.tra", 13});
    const Element row = RowsOf(WritePage(dir, {record}), "rows")[1];
    const std::string& cell = row.cells[5];
    const std::size_t candidate = cell.find("<li data-i=\"11\">");
    const std::size_t first = cell.find("<li class=\"a\" data-i=\"12\" data-r=\"other.tra\">");
    const std::size_t second = cell.find("<li class=\"a\" data-i=\"13\">");
    ASSERT_NE(candidate, std::string::npos);
    ASSERT_NE(first, std::string::npos);
    ASSERT_NE(second, std::string::npos);
    EXPECT_LT(candidate, first);
    EXPECT_LT(first, second);
    EXPECT_NE(cell.find("other.tra 12<div class=\"tr\">Si.</div>"), std::string::npos);
    EXPECT_NE(cell.find("Ouais &amp; &quot;bon&quot;."), std::string::npos);
}

// Decisions kept in the browser belong to the rows they were made on.
TEST(ReviewHtml, KeysTheRunByItsRows) {
    TempDir dir;
    auto runKey = [&dir](const std::vector<ReviewRecord>& records) {
        const std::string page = WritePage(dir, records);
        const std::size_t at = page.find("data-run=\"") + 10;
        return page.substr(at, page.find('"', at) - at);
    };
    std::vector<ReviewRecord> records = SampleRecords();
    const std::string key = runKey(records);
    EXPECT_EQ(key.size(), 16u);
    EXPECT_EQ(runKey(records), key);
    records[3].modText += " ";
    EXPECT_NE(runKey(records), key);
    records = SampleRecords();
    records[3].referenceId += 1;
    EXPECT_NE(runKey(records), key);
}

// A browser reads CR CR LF as two line breaks.
TEST(ReviewHtml, WritesATextsCarriageReturnLineFeedAsOneLineBreak) {
    TempDir dir;
    const std::string page =
        WritePage(dir, {SampleRecord("a.tra", 1, MatchOutcome::NotFound, "First\r\nsecond")});
    EXPECT_NE(page.find("First\r\nsecond"), std::string::npos);
    EXPECT_EQ(page.find("\r\r"), std::string::npos);
}

TEST(ReviewHtml, ShowsTextsOfACodePageAndOfUtf8AsValidUtf8) {
    TempDir dir;
    // "Å" in UTF-8 ends with 0x85, a word delimiter of code page 1252: the
    // mark of the differing word must not cut the character.
    std::vector<ReviewRecord> records = SampleRecords();
    records.push_back(
        WithBest(SampleRecord("u.tra", 1, MatchOutcome::Likely, "\xC3\x85ngstr\xC3\xB6m x"),
                 "r.tra", 2, 60.0, "\xC3\x85ngstrom y", "\xC3\x85"));
    const std::string page = WritePage(dir, records);
    EXPECT_TRUE(IsValidUtf8(page));
    EXPECT_NE(page.find("Prends l&#39;\xC3\xA9p\xC3\xA9"
                        "e."),
              std::string::npos);
    const std::vector<Element> rows = RowsOf(page, "rows");
    EXPECT_EQ(TextOf(rows.back().cells[2]), "\xC3\x85ngstr\xC3\xB6m x");
    EXPECT_EQ(TextOf(rows.back().cells[3]), "\xC3\x85ngstrom y");
}

// A match up to case is a row of its own, which the translator may reject.
TEST(ReviewHtml, CountsEveryOutcomeAndListsTheExactMatchesCollapsed) {
    TempDir dir;
    const std::string page = WritePage(dir, SampleRecords());
    std::map<std::string, std::string> counts;
    for (const Element& row : RowsOf(page, "outcomes")) {
        counts[TextOf(row.cells[0])] = TextOf(row.cells[1]);
    }
    EXPECT_EQ(counts,
              (std::map<std::string, std::string>{{"exact", "2"},
                                                  {"exact up to case", "1"},
                                                  {"exact, other translations", "0"},
                                                  {"exact up to case, other translations", "0"},
                                                  {"very likely", "2"},
                                                  {"likely", "2"},
                                                  {"likely, wrong sound", "2"},
                                                  {"missing translation", "2"},
                                                  {"not found", "2"},
                                                  {"empty", "3"},
                                                  {"all", "16"}}));
    const std::size_t details = page.find("<details id=\"exact\"><summary>Exact matches: 2");
    ASSERT_NE(details, std::string::npos);
    const std::string_view list(page.data() + details, page.find("</details>", details) - details);
    EXPECT_EQ(list.find("setup.tra 2"), std::string::npos);
    EXPECT_EQ(RowsOf(page, "rows")[1].attributes.at("data-o"), "exact-case");
    EXPECT_NE(list.find("<li>items tra.tra 1: items.tra 10, exact</li>"), std::string::npos);
}

TEST(ReviewHtml, GivesAnExactMatchWithOtherTranslationsARowThatListsThem) {
    TempDir dir;
    ReviewRecord several = WithBest(SampleRecord("a.tra", 1, MatchOutcome::Exact, "Welcome"),
                                    "r.tra", 4, 100.0, "Welcome", "Bienvenu");
    several.translatedFemaleText = "Bienvenue !";
    several.alternatives = {{"Salut <toi>", "", "r.tra", 5}, {"Bienvenu", "Bienvenue", "s.tra", 9}};
    const ReviewRecord single = WithBest(SampleRecord("a.tra", 2, MatchOutcome::Exact, "Yes"),
                                         "r.tra", 6, 100.0, "Yes", "Oui");
    const std::string page = WritePage(dir, {several, single});

    const std::vector<Element> rows = RowsOf(page, "rows");
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[1].attributes.at("data-o"), "exact-other");
    EXPECT_EQ(TextOf(rows[1].cells[1]), "exact, 2 other translations 100.0 %\nr.tra 4");
    EXPECT_EQ(TextOf(rows[1].cells[4]), "BienvenuBienvenue !") << "the female text beside";
    // The other translations are the row's choices, each with its file and id.
    const std::string choices = TextOf(rows[1].cells[5]);
    EXPECT_NE(choices.find("Salut <toi>"), std::string::npos) << choices;
    EXPECT_LT(choices.find("5"), choices.find("Salut <toi>")) << choices;
    EXPECT_NE(choices.find("s.tra 9"), std::string::npos) << choices;
    EXPECT_NE(choices.find("Bienvenue"), std::string::npos) << choices;

    std::map<std::string, std::string> counts;
    for (const Element& row : RowsOf(page, "outcomes")) {
        counts[TextOf(row.cells[0])] = TextOf(row.cells[1]);
    }
    EXPECT_EQ(counts["exact"], "1");
    EXPECT_EQ(counts["exact, other translations"], "1");
    EXPECT_NE(page.find("<a href=\"#outcome=exact-other\">"), std::string::npos);
    EXPECT_NE(page.find("<option value=\"exact-other\">"), std::string::npos);
    EXPECT_NE(page.find("<summary>Exact matches: 1</summary>"), std::string::npos);
}

TEST(ReviewHtml, NamesReferenceFilesInTheRowsOnlyWhenThereAreSeveral) {
    TempDir dir;
    EXPECT_NE(WritePage(dir, SampleRecords()).find("Entries by reference file"), std::string::npos);
    std::vector<ReviewRecord> records{
        WithBest(SampleRecord("a.tra", 1, MatchOutcome::Likely, "a b"), "r.tra", 1, 60, "a", "")};
    const std::string page = WritePage(dir, records);
    EXPECT_EQ(page.find("Entries by reference file"), std::string::npos);
    // Named once above the rows instead of in every row.
    EXPECT_NE(page.find("reference file <b>r.tra</b>"), std::string::npos);
    EXPECT_EQ(TextOf(RowsOf(page, "rows")[1].cells[1]), "likely 60.0 %\nId 1");
    EXPECT_NE(page.find("<a href=\"#file=a.tra\">a.tra</a>"), std::string::npos);
}

TEST(ReviewHtml, RefusesAFolderThatDoesNotExistAndCreatesNothing) {
    TempDir dir;
    EXPECT_EQ(WriteReviewHtml(dir / "missing/page.html", {}, SampleRecords(), 1252).code,
              TraOpenFailed);
    EXPECT_FALSE(std::filesystem::exists(dir / "missing"));
}

#ifndef _WIN32
TEST(ReviewHtml, LeavesThePreviousPageWhenAWriteFails) {
    TempDir dir;
    const std::string path = dir.Write(std::string(ReviewPageName), "previous page");
    std::vector<ReviewRecord> records;
    for (int id = 0; id < 2000; ++id) {
        records.push_back(SampleRecord("a.tra", id, MatchOutcome::NotFound, "some text"));
    }
    {
        test_support::FileSizeLimit limit(1000);
        const TraFailure failure = WriteReviewHtml(path, {}, records, 1252);
        EXPECT_EQ(failure.code, TraWriteFailed);
        EXPECT_EQ(failure.systemError, std::errc::file_too_large) << "the system's reason is kept";
    }
    EXPECT_EQ(TempDir::Read(path), "previous page");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Path()), {}), 1);
}
#endif

// Texts of a common length: a dialogue line of about fifteen words.
std::string Line(int number, std::string_view word) {
    return "You there, " + std::string(word) + " number " + std::to_string(number) +
           ", bring the sealed letter to the captain of the guard before nightfall.";
}

// A third of the rows with two other candidates, each with the start of its
// text and of its translation: what a choice would put in is shown.
TEST(ReviewHtml, KeepsAPageOfTenThousandRowsUnderSixMegabytes) {
    std::vector<ReviewRecord> records;
    const MatchOutcome outcomes[] = {MatchOutcome::VeryLikely, MatchOutcome::Likely,
                                     MatchOutcome::NotFound};
    for (int id = 0; id < 10000; ++id) {
        const MatchOutcome outcome = outcomes[id % 3];
        ReviewRecord record = SampleRecord("dialog.tra", id, outcome, Line(id, "soldier"));
        if (outcome != MatchOutcome::NotFound) {
            record = WithBest(record, "dialog.tlk.tra", id + 50000, 80.0, Line(id, "guard"),
                              Line(id, "garde"));
        }
        if (outcome == MatchOutcome::Likely) {
            record.otherCandidates.push_back(test_support::Candidate(
                "dialog.tlk.tra", id, 70.0, false, Line(id, "man"), Line(id, "homme")));
            record.otherCandidates.push_back(test_support::Candidate(
                "dialog.tlk.tra", id, 60.0, true, Line(id, "boy"), Line(id, "gar\xE7on")));
        }
        records.push_back(record);
    }
    TempDir dir;
    const std::string page = WritePage(dir, records);
    EXPECT_EQ(RowsOf(page, "rows").size(), records.size() + 1);
    EXPECT_LT(page.size(), 6u * 1000 * 1000);
}

}  // namespace
