#include "cli/cli_options.h"

#include <CLI/CLI.hpp>
#include <cstdint>
#include <string_view>
#include <vector>

#include "job/number_text.h"
#include "job/validate_options.h"
#include "matching/output/number_format.h"
#include "wordgleaner/version.h"

namespace wordgleaner {

namespace {

constexpr const char* ProgramName = "wordgleaner-cli";
constexpr const char* UsageLine =
    "Usage: wordgleaner-cli [options] REF_ORIGINAL REF_TRANSLATED MOD_DIR DEST_DIR";

// The option values as typed; numbers are converted here rather than by the
// parser so that "010" is ten, not an octal eight, and the messages are ours.
struct RawOptions {
    std::optional<std::string> minLikeliness;  // absent when not given
    std::optional<std::string> threshold;
    std::string comments = "perfect";
    std::optional<std::string> minId;
    std::optional<std::string> maxId;
    bool lineInfoOnly = false;
    bool patch = false;
    bool noSoundCheck = false;
    bool exhaustiveSearch = false;
    bool review = false;
    std::optional<std::string> codePage;
    bool keepGoing = false;
    bool recursive = false;
    std::optional<std::string> decisions;
    bool preferSameId = false;
};

class OptionChecker {
public:
    explicit OptionChecker(RecoveryOptions& options) : options(options) {}

    using PercentCheck = std::optional<OptionFault> (*)(double);

    void Percentage(const std::optional<std::string>& given, const char* name, PercentCheck check,
                    double& field) {
        if (!given) {
            return;  // the default stays
        }
        std::optional<double> value = ParseDecimal(*given);
        if (!value) {
            problems.push_back(std::string(name) + ": " + std::string(NotANumberMessage));
        } else if (std::optional<OptionFault> fault = check(*value)) {
            problems.push_back(fault->message);
        } else {
            field = *value;
        }
    }

    void Id(const std::optional<std::string>& given, const char* name, std::int32_t& field) {
        if (!given) {
            return;
        }
        std::optional<std::int32_t> value = ParseWhole(*given);
        if (!value) {
            problems.push_back(std::string(name) +
                               ": a whole number from -2147483648 to 2147483647 is needed");
        } else {
            field = *value;
        }
    }

    void CodePage(const std::optional<std::string>& given, std::int32_t& field) {
        if (!given) {
            return;
        }
        std::optional<std::int32_t> value = ParseWhole(*given);
        if (!value) {
            problems.push_back("--code-page: a code page number such as 1252 is needed");
        } else if (std::optional<OptionFault> fault = CheckCodePage(*value)) {
            problems.push_back(fault->message);
        } else {
            field = *value;
        }
    }

    void Comments(const std::string& text) {
        if (text == "none") {
            options.commentMode = CommentNone;
        } else if (text == "perfect") {
            options.commentMode = CommentPerfectMatch;
        } else if (text == "missing") {
            options.commentMode = CommentMissingMatch;
        } else {
            problems.push_back("--comments: must be none, perfect or missing");
        }
    }

    void DecisionsFile(const std::optional<std::string>& given, std::string& field) {
        if (given && given->empty()) {
            problems.push_back("--decisions: a file is needed");
        } else if (given) {
            field = *given;
        }
    }

    void IdWindow() {
        if (options.search.minReferenceId > options.search.maxReferenceId) {
            problems.push_back("--min-id must not be greater than --max-id");
        }
    }

    const std::vector<std::string>& Problems() const { return problems; }

private:
    RecoveryOptions& options;
    std::vector<std::string> problems;
};

std::vector<std::string> CheckOptions(const RawOptions& raw, RecoveryOptions& options) {
    OptionChecker check(options);
    check.Percentage(raw.minLikeliness, "--min-likeliness", CheckMinLikeliness,
                     options.search.minLikeliness);
    check.Percentage(raw.threshold, "--threshold", CheckVeryLikelyThreshold,
                     options.veryLikelyThreshold);
    check.Comments(raw.comments);
    check.Id(raw.minId, "--min-id", options.search.minReferenceId);
    check.Id(raw.maxId, "--max-id", options.search.maxReferenceId);
    check.IdWindow();
    options.lineInfoOnly = raw.lineInfoOnly;
    options.generatePatch = raw.patch;
    options.search.compareSound = !raw.noSoundCheck;
    options.exhaustiveSearch = raw.exhaustiveSearch;
    options.writeReview = raw.review;
    check.CodePage(raw.codePage, options.codePage);
    options.keepGoing = raw.keepGoing;
    options.includeSubFolders = raw.recursive;
    check.DecisionsFile(raw.decisions, options.decisionsFile);
    options.preferSameId = raw.preferSameId;
    return check.Problems();
}

// The value of a text option, absent when the option was not given (an
// empty value given on purpose is still a value, and gets refused).
class TextOption {
public:
    void Declare(CLI::App& app, const std::string& name, const std::string& help,
                 const std::string& valueName) {
        option = app.add_option(name, text, help);
        option->option_text(valueName);
    }
    std::optional<std::string> Given() const {
        return option != nullptr && option->count() > 0 ? std::optional(text) : std::nullopt;
    }

private:
    std::string text;
    CLI::Option* option = nullptr;
};

struct DeclaredOptions {
    TextOption minLikeliness;
    TextOption threshold;
    TextOption minId;
    TextOption maxId;
    TextOption codePage;
    TextOption decisions;
    RawOptions raw;

    RawOptions Read() const {
        RawOptions values = raw;
        values.minLikeliness = minLikeliness.Given();
        values.threshold = threshold.Given();
        values.minId = minId.Given();
        values.maxId = maxId.Given();
        values.codePage = codePage.Given();
        values.decisions = decisions.Given();
        return values;
    }
};

// "0 to 100 (default 50)", from the range and the default themselves.
std::string RangeAndDefault(PercentRange range, double defaultValue) {
    return FormatShortest(range.lowest) + " to " + FormatShortest(range.highest) + " (default " +
           FormatShortest(defaultValue) + ")";
}

void DeclareReviewOptions(CLI::App& app, DeclaredOptions& declared) {
    app.add_flag("--review", declared.raw.review,
                 "Also write Wordgleaner_review.html and Wordgleaner_review.csv into DEST_DIR: "
                 "how each entry was matched, with the words that differ marked");
    declared.codePage.Declare(app, "--code-page",
                              "Windows code page the review decodes texts from when they are "
                              "not UTF-8 (default " +
                                  std::to_string(RecoveryOptions{}.codePage) +
                                  "); the tra files are never re-encoded",
                              "N");
    declared.decisions.Declare(app, "--decisions",
                               "Apply a review's decisions, the Wordgleaner_decisions.csv "
                               "saved from a review page: each entry still as reviewed gets "
                               "the accepted, kept or edited text instead of the run's own",
                               "FILE");
}

// What a run may do to the files around it, and whether one failing mod
// file ends it.
void DeclareSafetyOptions(CLI::App& app, RawOptions& raw, CliRequest& request) {
    app.add_flag("--keep-going", raw.keepGoing,
                 "Skip mod files that fail to load or save, and go on; the report lists them "
                 "and the exit status is still that of the first failure");
    app.add_flag("--in-place", request.inPlace,
                 "Allow DEST_DIR to be MOD_DIR or the folder of a reference file (with "
                 "--recursive, to lie inside MOD_DIR or a reference folder): the recovered "
                 "files then replace the files of the same name there");
}

// Which folders of the mod and the reference folders a run reads.
void DeclareFolderOptions(CLI::App& app, RawOptions& raw) {
    app.add_flag("--recursive", raw.recursive,
                 "Include sub-folders: recover the tra files of every sub-folder of MOD_DIR "
                 "into the same sub-folders of DEST_DIR (made as needed), and list the "
                 "sub-folders of reference folders too, each file paired by its path; links "
                 "to folders are not followed");
}

void DeclareOptions(CLI::App& app, DeclaredOptions& declared, CliRequest& request) {
    RawOptions& raw = declared.raw;
    const RecoveryOptions defaults;
    declared.minLikeliness.Declare(
        app, "--min-likeliness",
        "Minimum likeliness percentage, " +
            RangeAndDefault(MinLikelinessRange, defaults.search.minLikeliness),
        "PERCENT");
    declared.threshold.Declare(
        app, "--threshold",
        "Likeliness threshold to assume matching, " +
            RangeAndDefault(VeryLikelyThresholdRange, defaults.veryLikelyThreshold),
        "PERCENT");
    app.add_flag("--line-info-only", raw.lineInfoOnly,
                 "Output line matching information instead of copying the texts");
    app.add_option("--comments", raw.comments,
                   "Comments on retrieved texts: none, perfect (before entries with perfect "
                   "match with reference, the default) or missing (before entries without "
                   "perfect or likely match)")
        ->option_text("none|perfect|missing");
    app.add_flag("--patch", raw.patch, "Generate TP2 patch associated to the tra file");
    app.add_flag("--no-sound-check", raw.noSoundCheck,
                 "Do not compare sound references (by default a different sound prevents a match)");
    app.add_flag("--prefer-same-id", raw.preferSameId,
                 "Among reference entries of the same text, take the one of the mod entry's own "
                 "file and id, else of its id, else of its file, before the first one");
    // Hidden: for checking the indexed search against the linear one.
    app.add_flag("--exhaustive-search", raw.exhaustiveSearch,
                 "Search with the linear walk of the reference (the same results, far slower)")
        ->group("");
    DeclareSafetyOptions(app, raw, request);
    DeclareFolderOptions(app, raw);
    declared.minId.Declare(app, "--min-id",
                           "Lowest reference string id searched (default " +
                               std::to_string(defaults.search.minReferenceId) + ")",
                           "ID");
    declared.maxId.Declare(app, "--max-id",
                           "Highest reference string id searched (default " +
                               std::to_string(defaults.search.maxReferenceId) + ")",
                           "ID");
    DeclareReviewOptions(app, declared);
    app.add_option("--also-reference", request.furtherReferences,
                   "A further reference pair (two files or two folders), searched after "
                   "REF_ORIGINAL and REF_TRANSLATED and any pair given before it; repeatable")
        ->option_text("ORIGINAL TRANSLATED");
    app.add_option("REF_ORIGINAL", request.referenceOriginal,
                   "Reference tra file or game string table (dialog.tlk) in the original "
                   "language, or a folder of them")
        ->required();
    app.add_option("REF_TRANSLATED", request.referenceTranslated,
                   "The same reference file in the destination language, or the folder "
                   "of the translated files of the same names")
        ->required();
    app.add_option("MOD_DIR", request.modDirectory,
                   "Directory of the mod's tra files in the original language")
        ->required();
    app.add_option("DEST_DIR", request.destinationDirectory,
                   "Directory that receives the recovered tra files, the patch and the report; "
                   "it must exist, and files of those names already in it are replaced without "
                   "asking (the desktop program asks first)")
        ->required();
}

// What --help and --version print is all they do: if it cannot be written,
// a script must not take the call for a success.
int PrintedExitCode(const std::string& text, std::ostream& out, std::ostream& err) {
    out << text << std::flush;
    if (out) {
        return 0;
    }
    err << ProgramName << ": the output could not be written\n";
    return OutputFailedExitCode;
}

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// "-5", "-0", "-.5": a value (an id, a percentage), never an option.
bool IsNegativeNumber(std::string_view word) {
    return word.size() > 1 && word[0] == '-' &&
           (IsDigit(word[1]) || (word[1] == '.' && word.size() > 2 && IsDigit(word[2])));
}

bool LooksLikeOption(std::string_view word) {
    return word.size() > 1 && word[0] == '-' && !IsNegativeNumber(word);
}

std::string MissingValueText(std::string_view name, const CLI::Option& option) {
    return std::string(name) + " needs a value: " + option.get_option_text();
}

std::string UnknownOptionText(std::string_view name) {
    std::string text = std::string(name) + ": no such option";
    if (!name.starts_with("--")) {
        text += "; a path that begins with \"-\" is written ./" + std::string(name) +
                ", or after \"--\"";
    }
    return text;
}

// CLI11 takes the word after an option as its value whatever it is
// ("--min-id --patch" reads "--patch" as the id), takes the next word too
// after an empty "--min-id=", and reports a path that begins with "-" as a
// missing DEST_DIR. This walk names those faults as they are.
std::vector<std::string> FindMisreadWords(const CLI::App& app, int argc, const char* const* argv) {
    std::vector<std::string> problems;
    for (int at = 1; at < argc; ++at) {
        const std::string_view word = argv[at];
        if (word == "--") {
            break;  // only paths follow
        }
        if (!LooksLikeOption(word)) {
            continue;
        }
        const auto equals = word.starts_with("--") ? word.find('=') : std::string_view::npos;
        const std::string_view name = word.substr(0, equals);
        const CLI::Option* option = app.get_option_no_throw(std::string(name));
        if (option == nullptr) {
            problems.push_back(UnknownOptionText(name));
        } else if (option->get_items_expected_min() == 0) {
            continue;  // a flag
        } else if (equals != std::string_view::npos) {
            if (equals + 1 == word.size()) {
                problems.push_back(MissingValueText(name, *option));
            }
        } else {
            // Its values: one, or two for a reference pair.
            for (int value = 0; value < option->get_items_expected_min(); ++value) {
                if (at + 1 == argc || LooksLikeOption(argv[at + 1])) {
                    problems.push_back(MissingValueText(name, *option));
                    break;
                }
                ++at;
            }
        }
    }
    return problems;
}

// An option of one value given more than once: CLI11 refuses it in its own
// words, after which the values it took make no sense to tell.
std::vector<std::string> OptionsGivenTwice(const CLI::App& app) {
    std::vector<std::string> problems;
    for (const CLI::Option* option : app.get_options()) {
        const bool oneValue =
            option->get_items_expected_min() == 1 && option->get_items_expected_max() == 1;
        if (option->nonpositional() && oneValue && option->count() > 1) {
            problems.push_back(option->get_name() + " is given " + std::to_string(option->count()) +
                               " times; give it once");
        }
    }
    return problems;
}

// What to tell when CLI11 refused the arguments: the words it misread, if
// any; an option given twice; otherwise what is wrong with the values it took, since an option that
// took a path as its value ("--comments o t m d") is the real fault behind
// a missing DEST_DIR, and then its own message.
std::vector<std::string> RefusalProblems(const CLI::App& app, int argc, const char* const* argv,
                                         const DeclaredOptions& declared,
                                         const CLI::ParseError& error) {
    std::vector<std::string> problems = FindMisreadWords(app, argc, argv);
    if (problems.empty()) {
        problems = OptionsGivenTwice(app);
    }
    if (problems.empty()) {
        RecoveryOptions unused;
        problems = CheckOptions(declared.Read(), unused);
        problems.push_back(error.what());
    }
    return problems;
}

int UsageFailure(const std::vector<std::string>& problems, std::ostream& err) {
    for (const std::string& problem : problems) {
        err << ProgramName << ": " << problem << '\n';
    }
    err << UsageLine << "\nRun with --help for more information.\n";
    return UsageExitCode;
}

}  // namespace

ReferencePairs CliRequest::References() const {
    ReferencePairs pairs{{referenceOriginal, referenceTranslated}};
    for (const auto& [original, translated] : furtherReferences) {
        pairs.push_back({original, translated});
    }
    return pairs;
}

CliParseResult ParseCommandLine(int argc, const char* const* argv, std::ostream& out,
                                std::ostream& err) {
    CLI::App app("Carries existing translations over to a game mod's tra files.", ProgramName);
    app.set_version_flag("--version", std::string(ProgramName) + " " + WORDGLEANER_VERSION);
    // The same command line on every platform: on Windows too, an argument
    // that begins with a slash is a path ("/mods"), never an option.
    app.allow_windows_style_options(false);
    DeclaredOptions declared;
    CliRequest request;
    DeclareOptions(app, declared, request);
    try {
        app.parse(argc, argv);
    } catch (const CLI::CallForHelp&) {
        return {std::nullopt, PrintedExitCode(app.help(), out, err)};
    } catch (const CLI::CallForVersion& version) {
        return {std::nullopt, PrintedExitCode(std::string(version.what()) + '\n', out, err)};
    } catch (const CLI::ParseError& error) {
        return {std::nullopt, UsageFailure(RefusalProblems(app, argc, argv, declared, error), err)};
    }
    if (std::vector<std::string> misread = FindMisreadWords(app, argc, argv); !misread.empty()) {
        return {std::nullopt, UsageFailure(misread, err)};
    }
    std::vector<std::string> problems = CheckOptions(declared.Read(), request.options);
    if (!problems.empty()) {
        return {std::nullopt, UsageFailure(problems, err)};
    }
    return {std::move(request), 0};
}

}  // namespace wordgleaner
