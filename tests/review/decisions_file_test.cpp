#include "review/decisions_file.h"

#include <gtest/gtest.h>

#include <string>

#include "review/code_page_encoder.h"
#include "review/csv_records.h"
#include "support/temp_dir.h"

using namespace wordgleaner;

namespace {

const std::string Header =
    "mod file,id,mod text,decision,reference file,reference id,translation,female translation\r\n";

// A decisions file as a person may write one by hand: a byte-order mark,
// CR LF, an accept, a reject and an edit whose texts hold commas, quotes and
// a line break.
const std::string SampleFile =
    "\xEF\xBB\xBF" + Header +
    "dialog.tra,102,The guards will not let you through.,accept,english.tra,1014,,\r\n"
    "d/dskenb.tra,7,\"Hello, \"\"friend\"\".\",Reject,english.tra,1011,,\r\n"
    "dialog.tra,104,I shall return.,edit,,,\"Je\r\nreviendrai.\",Je reviendrai.\r\n";

TEST(CsvRecords, QuotedFieldsKeepCommasQuotesAndLineBreaksAndRecordsKeepTheirFirstLine) {
    const CsvParse parse = ParseCsv("a,\"b,\"\"c\"\"\nd\"\r\ne,\n\"\"\n");
    ASSERT_TRUE(parse.Ok()) << parse.fault;
    ASSERT_EQ(parse.records.size(), 3U);
    EXPECT_EQ(parse.records[0].line, 1);
    EXPECT_EQ(parse.records[0].fields, (std::vector<std::string>{"a", "b,\"c\"\nd"}));
    EXPECT_EQ(parse.records[1].line, 3);
    EXPECT_EQ(parse.records[1].fields, (std::vector<std::string>{"e", ""}));
    EXPECT_EQ(parse.records[2].line, 4);
    EXPECT_EQ(parse.records[2].fields, (std::vector<std::string>{""}));
}

TEST(CsvRecords, EachFaultIsToldAtItsPhysicalLine) {
    struct Case {
        const char* text;
        const char* fault;
        int line;
    };
    for (const Case& c : {
             Case{"a\nb\"c\n", "a quote inside a field that does not begin with one", 2},
             Case{"a\n\"b\"c\n", "a character after the closing quote of a field", 2},
             Case{"a\n\"b\nc\"d\n", "a character after the closing quote of a field", 3},
             // Open at line 2 to the end: the line where the quote began.
             Case{"a\n\"b\nc\nd\n", "a quoted field is not closed", 2},
         }) {
        const CsvParse parse = ParseCsv(c.text);
        EXPECT_EQ(parse.fault, c.fault) << c.text;
        EXPECT_EQ(parse.faultLine, c.line) << c.text;
    }
}

TEST(DecisionsFile, TheSampleGivesEachDecisionWithItsLineAndTexts) {
    const DecisionsFileRead read = ParseDecisions(SampleFile);
    ASSERT_TRUE(read.Ok()) << read.fault;
    ASSERT_EQ(read.decisions.size(), 3U);
    const ReviewDecision& accept = read.decisions[0];
    EXPECT_EQ(accept.line, 2);
    EXPECT_EQ(accept.modFile, "dialog.tra");
    EXPECT_EQ(accept.id, 102);
    EXPECT_EQ(accept.kind, DecisionKind::Accept);
    EXPECT_EQ(accept.referenceFile, "english.tra");
    EXPECT_EQ(accept.referenceId, 1014);
    const ReviewDecision& reject = read.decisions[1];
    EXPECT_EQ(reject.modFile, "d/dskenb.tra");
    EXPECT_EQ(reject.modText, "Hello, \"friend\".");
    EXPECT_EQ(reject.kind, DecisionKind::Reject);
    const ReviewDecision& edit = read.decisions[2];
    EXPECT_EQ(edit.line, 4);
    EXPECT_EQ(edit.kind, DecisionKind::Edit);
    EXPECT_EQ(edit.translation, "Je\r\nreviendrai.");
    EXPECT_EQ(edit.femaleTranslation, "Je reviendrai.");
}

TEST(DecisionsFile, ReadFromDiskLineBreaksInTextsComeAsTheTraFilesGiveThem) {
    test_support::TempDir dir;
    const DecisionsFileRead read = ReadDecisionsFile(dir.Write(DecisionsFileName, SampleFile));
    ASSERT_TRUE(read.Ok()) << read.fault;
    ASSERT_EQ(read.decisions.size(), 3U);
    EXPECT_EQ(read.decisions[2].translation, "Je\nreviendrai.");
}

TEST(DecisionsFile, BlankRowsAndAHeaderWithoutByteOrderMarkAreAccepted) {
    const DecisionsFileRead read = ParseDecisions(
        "Mod file,Id,Mod text,Decision,Reference file,Reference id,Translation,"
        "Female translation\n,,,,,,,\n\nsetup.tra,1,x,EDIT,,,y,\n");
    ASSERT_TRUE(read.Ok()) << read.fault;
    ASSERT_EQ(read.decisions.size(), 1U);
    EXPECT_EQ(read.decisions[0].line, 4);
}

TEST(DecisionsFile, AMalformedFileIsRefusedWholeAtTheLineAtFault) {
    struct Case {
        std::string text;
        std::string fault;
    };
    const std::string good = "a.tra,1,x,accept,r.tra,2,,\r\n";
    for (const Case& c : {
             Case{"", "not the header line \"" + DecisionsHeader() + "\" at line 1"},
             Case{"mod file,id,decision\r\n" + good,
                  "not the header line \"" + DecisionsHeader() + "\" at line 1"},
             Case{Header + good + "a.tra,2,\"multi\r\nline\",edit,,,y\r\n",
                  "a row of 7 fields, not 8 at line 3"},
             Case{Header + "a.tra,2,\"multi\r\nline\",edit,,,y,\r\nb.tra,x,t,edit,,,y,\r\n",
                  "the id \"x\" is no whole number from 0 to 2147483647 at line 4"},
             Case{Header + "a.tra,-1,t,edit,,,y,\r\n",
                  "the id \"-1\" is no whole number from 0 to 2147483647 at line 2"},
             Case{Header + "a.tra,1,t,keep,,,y,\r\n",
                  "the decision \"keep\" is none of accept, reject and edit at line 2"},
             Case{Header + "a.tra,1,t,accept,,5,,\r\n",
                  "an accept without its reference file at line 2"},
             Case{Header + "a.tra,1,t,reject,r.tra,,,\r\n",
                  "the reference id \"\" is no whole number from 0 to 2147483647 at line 2"},
             Case{Header + ",1,t,edit,,,y,\r\n", "a row without its mod file at line 2"},
             Case{Header + good + "a.tra,2,\"open\r\n,edit,,,y,\r\n",
                  "a quoted field is not closed at line 3"},
             Case{Header + good + "a.tra,2,caf\xE9,edit,,,y,\r\n",
                  "a text that is not UTF-8 at line 3"},
         }) {
        const DecisionsFileRead read = ParseDecisions(c.text);
        EXPECT_EQ(read.fault, c.fault) << c.text;
        EXPECT_TRUE(read.decisions.empty()) << c.text;
    }
}

TEST(DecisionsFile, AFileThatCannotBeOpenedIsToldWithTheSystemsReason) {
    test_support::TempDir dir;
    const DecisionsFileRead read = ReadDecisionsFile((dir.Path() / "missing.csv").string());
    EXPECT_TRUE(read.fault.starts_with("Failed to open file (")) << read.fault;
}

TEST(CodePageEncoder, WritesWhatTheCodePageHoldsAndRefusesTheRest) {
    EXPECT_EQ(EncodeForCodePage("Bienvenue \xC3\xA0 l'auberge", 1252), "Bienvenue \xE0 l'auberge");
    EXPECT_EQ(EncodeForCodePage("\xE2\x82\xAC", 1252), "\x80");  // the euro sign
    EXPECT_EQ(EncodeForCodePage("\xD0\x96", 1251), "\xC6");      // Cyrillic Zhe
    EXPECT_EQ(EncodeForCodePage("", 1252), "");
    // A check mark has no byte in 1252, and no look-alike stands in for it.
    EXPECT_EQ(EncodeForCodePage("ok \xE2\x9C\x93", 1252), std::nullopt);
    EXPECT_EQ(EncodeForCodePage("\xC4\x81", 1252), std::nullopt);  // a with macron, not "a"
    EXPECT_EQ(EncodeForCodePage("ok \xE2\x9C\x93", 65001), "ok \xE2\x9C\x93");
    EXPECT_EQ(EncodeForCodePage("caf\xE9", 65001), std::nullopt);  // no UTF-8 to begin with
}

}  // namespace
