#include "cli/cli_options.h"

#include <gtest/gtest.h>

#include <cmath>
#include <initializer_list>
#include <sstream>
#include <string>
#include <vector>

#include "job/validate_options.h"
#include "support/option_cases.h"
#include "support/refusing_stream.h"
#include "wordgleaner/version.h"

using namespace wordgleaner;

namespace {

const std::string UsageLine =
    "Usage: wordgleaner-cli [options] REF_ORIGINAL REF_TRANSLATED MOD_DIR DEST_DIR";

struct Parsed {
    CliParseResult result;
    std::string out;
    std::string err;
};

// Parses the options followed by the four paths "o", "t", "m", "d".
Parsed ParseWithPaths(std::initializer_list<std::string> options, bool withPaths = true) {
    std::vector<std::string> words{"wordgleaner-cli"};
    words.insert(words.end(), options);
    if (withPaths) {
        words.insert(words.end(), {"o", "t", "m", "d"});
    }
    std::vector<const char*> argv;
    for (const std::string& word : words) {
        argv.push_back(word.c_str());
    }
    std::ostringstream out;
    std::ostringstream err;
    Parsed parsed{ParseCommandLine(static_cast<int>(argv.size()), argv.data(), out, err), {}, {}};
    parsed.out = out.str();
    parsed.err = err.str();
    return parsed;
}

RecoveryOptions OptionsOf(std::initializer_list<std::string> options) {
    Parsed parsed = ParseWithPaths(options);
    EXPECT_TRUE(parsed.result.request.has_value()) << parsed.err;
    return parsed.result.request ? parsed.result.request->options : RecoveryOptions{};
}

void ExpectRefused(std::initializer_list<std::string> options, const std::string& message,
                   bool withPaths = true) {
    Parsed parsed = ParseWithPaths(options, withPaths);
    EXPECT_FALSE(parsed.result.request.has_value());
    EXPECT_EQ(parsed.result.exitCode, UsageExitCode);
    EXPECT_NE(parsed.err.find(message), std::string::npos) << parsed.err;
    EXPECT_NE(parsed.err.find(UsageLine), std::string::npos) << parsed.err;
    EXPECT_EQ(parsed.out, "");
}

TEST(CliOptions, FourPathsAloneGiveThePreferencesDefaults) {
    Parsed parsed = ParseWithPaths({});
    ASSERT_TRUE(parsed.result.request.has_value()) << parsed.err;
    const CliRequest& request = *parsed.result.request;
    EXPECT_EQ(request.referenceOriginal, "o");
    EXPECT_EQ(request.referenceTranslated, "t");
    EXPECT_EQ(request.modDirectory, "m");
    EXPECT_EQ(request.destinationDirectory, "d");
    EXPECT_EQ(request.options, RecoveryOptions{});
}

TEST(CliOptions, KeepGoingInPlaceRecursiveAndPreferSameIdAreOffUnlessAskedFor) {
    Parsed plain = ParseWithPaths({});
    ASSERT_TRUE(plain.result.request.has_value());
    EXPECT_FALSE(plain.result.request->inPlace);
    EXPECT_FALSE(plain.result.request->options.keepGoing);
    EXPECT_FALSE(plain.result.request->options.includeSubFolders);
    EXPECT_FALSE(plain.result.request->options.preferSameId);

    Parsed asked =
        ParseWithPaths({"--keep-going", "--in-place", "--recursive", "--prefer-same-id"});
    ASSERT_TRUE(asked.result.request.has_value()) << asked.err;
    EXPECT_TRUE(asked.result.request->inPlace);
    EXPECT_TRUE(asked.result.request->options.keepGoing);
    EXPECT_TRUE(asked.result.request->options.includeSubFolders);
    EXPECT_TRUE(asked.result.request->options.preferSameId);
}

TEST(CliOptions, AlsoReferencePairsFollowTheFirstPairInTheOrderGiven) {
    Parsed parsed =
        ParseWithPaths({"--also-reference", "a", "b", "--patch", "--also-reference=c", "d"});
    ASSERT_TRUE(parsed.result.request.has_value()) << parsed.err;
    EXPECT_EQ(parsed.result.request->References(),
              (ReferencePairs{{"o", "t"}, {"a", "b"}, {"c", "d"}}));
    EXPECT_EQ(ParseWithPaths({}).result.request->References(), (ReferencePairs{{"o", "t"}}));
}

TEST(CliOptions, AnAlsoReferenceWithoutItsTwoPathsIsRefused) {
    ExpectRefused({"--also-reference", "a", "--patch"},
                  "--also-reference needs a value: ORIGINAL TRANSLATED");
    ExpectRefused({"--also-reference"}, "--also-reference needs a value", false);
}

TEST(CliOptions, EveryOptionReachesItsSetting) {
    RecoveryOptions options = OptionsOf({"--min-likeliness", "62.5", "--threshold=97.25",
                                         "--line-info-only", "--comments", "missing", "--patch",
                                         "--no-sound-check", "--min-id", "-5", "--max-id=010"});
    EXPECT_EQ(options.search.minLikeliness, 62.5);
    EXPECT_EQ(options.veryLikelyThreshold, 97.25);
    EXPECT_TRUE(options.lineInfoOnly);
    EXPECT_EQ(options.commentMode, CommentMissingMatch);
    EXPECT_TRUE(options.generatePatch);
    EXPECT_FALSE(options.search.compareSound);
    EXPECT_EQ(options.search.minReferenceId, -5);
    EXPECT_EQ(options.search.maxReferenceId, 10) << "a leading zero is no octal prefix";
    EXPECT_EQ(OptionsOf({"--comments=none"}).commentMode, CommentNone);
    EXPECT_EQ(OptionsOf({"--comments=perfect"}).commentMode, CommentPerfectMatch);
}

std::string FlagOf(OptionField field) {
    return field == OptionField::MinLikeliness ? "--min-likeliness" : "--threshold";
}

TEST(CliOptions, PercentagesAreCheckedWithTheRangesAndMessagesOfTheCore) {
    for (const test_support::OptionCase& option : test_support::PercentOptionCases) {
        SCOPED_TRACE(option.text);
        const std::vector<OptionFault> faults = test_support::CoreFaults(option);
        Parsed parsed = ParseWithPaths({FlagOf(option.field) + "=" + option.text});
        ASSERT_EQ(parsed.result.request.has_value(), faults.empty()) << parsed.err;
        if (faults.empty()) {
            EXPECT_EQ(parsed.result.request->options, test_support::OptionsWith(option));
        } else {
            EXPECT_EQ(parsed.err, "wordgleaner-cli: " + faults[0].message + "\n" + UsageLine +
                                      "\nRun with --help for more information.\n");
        }
    }
}

TEST(CliOptions, BothRangeFaultsAreToldInFieldOrder) {
    Parsed both = ParseWithPaths({"--min-likeliness=101", "--threshold=50"});
    RecoveryOptions typed;
    typed.search.minLikeliness = 101;
    typed.veryLikelyThreshold = 50;
    const std::vector<OptionFault> faults = ValidateOptions(typed);
    ASSERT_EQ(faults.size(), 2u);
    EXPECT_LT(both.err.find(faults[0].message), both.err.find(faults[1].message));
    EXPECT_NE(both.err.find(faults[1].message), std::string::npos);
}

// Read as the window's Preferences read them: a sign, blanks around.
TEST(CliOptions, APlusSignBlanksAndTheWholeIdRangeAreAccepted) {
    EXPECT_EQ(OptionsOf({"--threshold=+100"}).veryLikelyThreshold, 100.0);
    EXPECT_EQ(OptionsOf({"--min-likeliness", " 50"}).search.minLikeliness, 50.0);
    RecoveryOptions fullWindow = OptionsOf({"--min-id=-2147483648", "--max-id=2147483647"});
    EXPECT_EQ(fullWindow.search.minReferenceId, -2147483647 - 1);
    EXPECT_EQ(fullWindow.search.maxReferenceId, 2147483647);
}

TEST(CliOptions, ValuesThatAreNoNumbersAreRefused) {
    for (const char* value : {"abc", "50%", "5O", "nan", "inf", "1e400", ""}) {
        SCOPED_TRACE(value);
        ExpectRefused({"--min-likeliness", value}, "--min-likeliness: Please enter a number.");
    }
    ExpectRefused({"--threshold", "ninety"}, "--threshold: Please enter a number.");
}

TEST(CliOptions, BadIdsAndAnEmptyIdWindowAreRefused) {
    for (const char* value : {"2147483648", "-2147483649", "1.5", "0x10", "ten"}) {
        SCOPED_TRACE(value);
        ExpectRefused({std::string("--min-id=") + value}, "--min-id: a whole number");
    }
    ExpectRefused({"--min-id=10", "--max-id=9"}, "--min-id must not be greater than --max-id");
    EXPECT_EQ(OptionsOf({"--min-id=9", "--max-id=9"}).search.minReferenceId, 9);
}

TEST(CliOptions, AnUnknownCommentModeIsRefused) {
    ExpectRefused({"--comments", "all"}, "--comments: must be none, perfect or missing");
    ExpectRefused({"--comments", "Perfect"}, "--comments: must be none, perfect or missing");
}

TEST(CliOptions, ReviewAndCodePageReachTheirSettingsOnlyWhenGiven) {
    EXPECT_FALSE(OptionsOf({}).writeReview);
    EXPECT_EQ(OptionsOf({}).codePage, 1252);
    const RecoveryOptions options = OptionsOf({"--review", "--code-page", "1251"});
    EXPECT_TRUE(options.writeReview);
    EXPECT_EQ(options.codePage, 1251);
    EXPECT_EQ(OptionsOf({"--code-page=065001"}).codePage, 65001);
}

TEST(CliOptions, ACodePageThatIsNoNumberOrNotSupportedIsRefused) {
    ExpectRefused({"--code-page", "latin1"}, "--code-page: a code page number");
    ExpectRefused({"--code-page", "9999"}, CheckCodePage(9999).value().message);
}

TEST(CliOptions, DecisionsNamesItsFileAndAnEmptyOneOrASecondOneIsRefused) {
    EXPECT_EQ(OptionsOf({}).decisionsFile, "");
    EXPECT_EQ(OptionsOf({"--decisions", "Wordgleaner_decisions.csv"}).decisionsFile,
              "Wordgleaner_decisions.csv");
    ExpectRefused({"--decisions", ""}, "--decisions: a file is needed");
    ExpectRefused({"--decisions", "a.csv", "--decisions", "b.csv"},
                  "--decisions is given 2 times; give it once");
}

TEST(CliOptions, WrongArgumentsEndWithTheUsageExitCode) {
    ExpectRefused({"o", "t", "m"}, "DEST_DIR", false);
    ExpectRefused({"o", "t", "m", "d", "extra"}, "extra", false);
    ExpectRefused({"--no-such-option"}, "--no-such-option");
    ExpectRefused({"--patch=maybe"}, "maybe");
    ExpectRefused({"--min-likeliness"}, "--min-likeliness", false);
}

// --- Faults named as they are -----------------------------------------------

TEST(CliOptions, AMissingValueIsToldAsSuchWhereverItIsMissing) {
    ExpectRefused({"--min-likeliness"}, "--min-likeliness needs a value: PERCENT", false);
    ExpectRefused({"--min-likeliness", "--patch"}, "--min-likeliness needs a value: PERCENT");
    ExpectRefused({"--min-id="}, "--min-id needs a value: ID");
    ExpectRefused({"--comments=", "--patch"}, "--comments needs a value: none|perfect|missing");
    ExpectRefused({"--max-id", "--"}, "--max-id needs a value: ID");

    Parsed swallowed = ParseWithPaths({"--comments"});
    EXPECT_NE(swallowed.err.find("--comments: must be none, perfect or missing"), std::string::npos)
        << "the path taken as its value shows: " << swallowed.err;
    EXPECT_NE(swallowed.err.find("DEST_DIR is required"), std::string::npos) << swallowed.err;
}

// Told as such, not as "Please enter a number." with the parser's words.
TEST(CliOptions, AnOptionOfOneValueGivenTwiceIsToldAsSuch) {
    for (const std::initializer_list<std::string> given :
         {std::initializer_list<std::string>{"--min-likeliness", "40", "--min-likeliness", "60"},
          {"--min-likeliness=40", "--patch", "--min-likeliness", "40"}}) {
        Parsed parsed = ParseWithPaths(given);
        EXPECT_EQ(parsed.result.exitCode, UsageExitCode);
        EXPECT_EQ(parsed.err, "wordgleaner-cli: --min-likeliness is given 2 times; give it once\n" +
                                  UsageLine + "\nRun with --help for more information.\n");
    }
    ExpectRefused({"--comments", "none", "--comments", "none", "--comments", "missing"},
                  "--comments is given 3 times; give it once");
    ExpectRefused({"--code-page", "1252", "--min-id", "3", "--code-page", "850"},
                  "--code-page is given 2 times; give it once");

    // Repeatable, and a flag given twice asks for the same thing.
    Parsed pairs = ParseWithPaths(
        {"--also-reference", "a", "b", "--also-reference", "c", "d", "--patch", "--patch"});
    ASSERT_TRUE(pairs.result.request.has_value()) << pairs.err;
    EXPECT_EQ(pairs.result.request->furtherReferences.size(), 2u);
}

TEST(CliOptions, APathThatBeginsWithADashIsToldHowToWriteIt) {
    ExpectRefused({"o", "t", "-mods", "d"},
                  "-mods: no such option; a path that begins with \"-\" is written ./-mods, or "
                  "after \"--\"",
                  false);

    Parsed afterDashes = ParseWithPaths({"--patch", "--", "-o", "t", "-mods", "d"}, false);
    ASSERT_TRUE(afterDashes.result.request.has_value()) << afterDashes.err;
    EXPECT_EQ(afterDashes.result.request->referenceOriginal, "-o");
    EXPECT_EQ(afterDashes.result.request->modDirectory, "-mods");
    EXPECT_TRUE(afterDashes.result.request->options.generatePatch);
}

TEST(CliOptions, MinusZeroIsZero) {
    RecoveryOptions options = OptionsOf({"--min-id", "-0", "--min-likeliness", "-0"});
    EXPECT_EQ(options.search.minReferenceId, 0);
    EXPECT_EQ(options.search.minLikeliness, 0.0);
    EXPECT_FALSE(std::signbit(options.search.minLikeliness)) << "it would print as -0.00 %";
    EXPECT_EQ(OptionsOf({"--max-id=-0", "--min-id=-5"}).search.maxReferenceId, 0);
    EXPECT_EQ(OptionsOf({"--min-likeliness", "-.0"}).search.minLikeliness, 0.0);
}

TEST(CliOptions, HelpAndVersionPrintToStandardOutputAndEndWithZero) {
    Parsed help = ParseWithPaths({"--help"}, false);
    EXPECT_FALSE(help.result.request.has_value());
    EXPECT_EQ(help.result.exitCode, 0);
    for (const char* word : {"REF_ORIGINAL", "--min-likeliness", "--threshold", "--line-info-only",
                             "--comments", "--patch", "--no-sound-check", "--min-id", "--max-id",
                             "--recursive", "--prefer-same-id", "--version"}) {
        EXPECT_NE(help.out.find(word), std::string::npos) << word;
    }
    // Scripts rely on it: the earlier files are replaced, no question asked.
    EXPECT_NE(help.out.find("replaced without asking"), std::string::npos) << help.out;

    Parsed version = ParseWithPaths({"--version"});
    EXPECT_FALSE(version.result.request.has_value());
    EXPECT_EQ(version.result.exitCode, 0);
    EXPECT_EQ(version.out, std::string("wordgleaner-cli ") + WORDGLEANER_VERSION + "\n");
    EXPECT_EQ(version.err, "");
}

// A script that asks for the help or the version into a full disk must not
// take the call for a success.
TEST(CliOptions, HelpAndVersionThatCannotBeWrittenEndWithAFailure) {
    test_support::RefusingStreamBuffer refusing;
    for (const char* flag : {"--help", "--version"}) {
        SCOPED_TRACE(flag);
        std::ostream out(&refusing);
        std::ostringstream err;
        const char* argv[] = {"wordgleaner-cli", flag};
        CliParseResult result = ParseCommandLine(2, argv, out, err);
        EXPECT_FALSE(result.request.has_value());
        EXPECT_EQ(result.exitCode, OutputFailedExitCode);
        EXPECT_EQ(err.str(), "wordgleaner-cli: the output could not be written\n");
    }
}

}  // namespace
