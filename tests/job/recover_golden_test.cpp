// Recovery cases kept as folders in tests/data/recover/<case>/:
//   ref_orig.tra, ref_trans.tra   the reference pair (either may be missing)
//   mod/                          the mod's tra files
//   options.txt                   "key = value" lines, see ReadCaseSettings;
//                                 "inputs = examples" runs on the reference pair
//                                 and mod folder of examples/ instead, so the
//                                 shipped examples are checked without a copy
//                                 (the pair is read under the names above);
//                                 "reference = ORIGINAL TRANSLATED" lines (files
//                                 or folders, in priority order) and "mod = DIR"
//                                 replace the pair and the mod folder, with
//                                 paths under the case folder or "$EXAMPLES";
//                                 "decisions = FILE" applies a review's
//                                 decisions file under the case folder
//   expected/                     every file the run leaves in the destination
//                                 (in sub-folders too), byte for byte, and
//                                 final.txt with the job's status and last texts
// The folder of the reference pair appears in expected texts as "$CASE", the
// examples folder as "$EXAMPLES". Adding a case is adding a folder: every
// folder is a test of its own.
// WORDGLEANER_RECOVER_CASE names the one folder to run (the build gives each
// folder its own ctest entry that way); without it every folder runs.
// WORDGLEANER_UPDATE_GOLDEN=1 writes what a run produces into expected/
// (check it by hand before committing it).

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <optional>
#include <sstream>
#include <string>
#include <system_error>
#include <utility>
#include <vector>

#include "job/check_point.h"
#include "job/recovery_job.h"
#include "support/abort_at.h"
#include "support/batch_files.h"
#include "support/temp_dir.h"

using namespace wordgleaner;

namespace fs = std::filesystem;
using test_support::TempDir;

namespace {

const fs::path CasesRoot = WORDGLEANER_RECOVER_CASES;
const fs::path ExamplesRoot = WORDGLEANER_EXAMPLES;
constexpr const char* OnlyCaseVariable = "WORDGLEANER_RECOVER_CASE";
constexpr const char* FinalLinesName = "final.txt";
constexpr const char* CasePlaceholder = "$CASE";
constexpr const char* ExamplesPlaceholder = "$EXAMPLES";

using FileContents = std::map<std::string, std::string>;

struct CaseSettings {
    RecoveryOptions options;
    bool examplesInputs = false;
    std::vector<std::pair<std::string, std::string>> references;  // as written
    std::string mod;                                              // as written
    std::string decisions;                                        // as written
    std::optional<CheckPoint> abortPoint;
    int abortOccurrence = 1;
};

std::string Trim(const std::string& text) {
    const auto first = text.find_first_not_of(" \t\r");
    if (first == std::string::npos) {
        return {};
    }
    return text.substr(first, text.find_last_not_of(" \t\r") - first + 1);
}

bool ParseFlag(const std::string& value) {
    EXPECT_TRUE(value == "true" || value == "false") << "not a flag: " << value;
    return value == "true";
}

CheckPoint ParseCheckPoint(const std::string& name) {
    if (name == "after-original-reference") {
        return CheckPoint::AfterOriginalReference;
    }
    if (name == "after-translated-reference") {
        return CheckPoint::AfterTranslatedReference;
    }
    if (name == "before-file") {
        return CheckPoint::BeforeFile;
    }
    EXPECT_EQ(name, "before-entry") << "unknown check point";
    return CheckPoint::BeforeEntry;
}

std::int32_t ParseCommentMode(const std::string& value) {
    if (value == "none") {
        return CommentNone;
    }
    if (value == "missing") {
        return CommentMissingMatch;
    }
    EXPECT_EQ(value, "perfect") << "unknown comment mode";
    return CommentPerfectMatch;
}

void ApplySetting(const std::string& key, const std::string& value, CaseSettings& settings) {
    RecoveryOptions& options = settings.options;
    if (key == "patch") {
        options.generatePatch = ParseFlag(value);
    } else if (key == "line_info_only") {
        options.lineInfoOnly = ParseFlag(value);
    } else if (key == "sound_check") {
        options.search.compareSound = ParseFlag(value);
    } else if (key == "comments") {
        options.commentMode = ParseCommentMode(value);
    } else if (key == "min_likeliness") {
        options.search.minLikeliness = std::stod(value);
    } else if (key == "threshold") {
        options.veryLikelyThreshold = std::stod(value);
    } else if (key == "min_id") {
        options.search.minReferenceId = std::stoi(value);
    } else if (key == "max_id") {
        options.search.maxReferenceId = std::stoi(value);
    } else if (key == "keep_going") {
        options.keepGoing = ParseFlag(value);
    } else if (key == "recursive") {
        options.includeSubFolders = ParseFlag(value);
    } else if (key == "prefer_same_id") {
        options.preferSameId = ParseFlag(value);
    } else if (key == "reference") {
        std::istringstream words(value);
        std::string original;
        std::string translated;
        words >> original >> translated;
        settings.references.emplace_back(original, translated);
    } else if (key == "mod") {
        settings.mod = value;
    } else if (key == "decisions") {
        settings.decisions = value;
    } else if (key == "code_page") {
        options.codePage = std::stoi(value);
    } else if (key == "inputs") {
        EXPECT_EQ(value, "examples") << "unknown inputs";
        settings.examplesInputs = value == "examples";
    } else if (key == "abort_at") {  // "before-entry 3": the third time that point is reached
        std::istringstream words(value);
        std::string point;
        words >> point >> settings.abortOccurrence;
        settings.abortPoint = ParseCheckPoint(point);
    } else {
        ADD_FAILURE() << "unknown setting " << key;
    }
}

CaseSettings ReadCaseSettings(const fs::path& file) {
    CaseSettings settings;
    std::ifstream in(file);
    std::string line;
    while (std::getline(in, line)) {
        line = Trim(line);
        if (line.empty() || line.front() == '#') {
            continue;
        }
        const auto equal = line.find('=');
        if (equal == std::string::npos) {
            ADD_FAILURE() << "no '=' in " << line;
            continue;
        }
        ApplySetting(Trim(line.substr(0, equal)), Trim(line.substr(equal + 1)), settings);
    }
    return settings;
}

std::string ReplaceAll(std::string text, const std::string& from, const std::string& to) {
    for (auto at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size())) {
        text.replace(at, from.size(), to);
    }
    return text;
}

// The run joins a folder and a file name with the system's separator, so a
// path under a placeholder reads "$CASE/en\\dialog.tra" on Windows; the cases
// keep the one form. Only the paths change: a text may hold backslashes of
// its own.
std::string WithPortableSeparators(std::string text, const std::string& placeholder) {
#if defined(_WIN32)
    for (auto at = text.find(placeholder); at != std::string::npos;
         at = text.find(placeholder, at + 1)) {
        for (auto end = at; end < text.size() && text[end] != ' ' && text[end] != ':' &&
                            text[end] != '\r' && text[end] != '\n';
             ++end) {
            if (text[end] == '\\') {
                text[end] = '/';
            }
        }
    }
#else
    (void)placeholder;
#endif
    return text;
}

// Every file of the folder's tree by its path under it ("d/dskenb.tra"); a
// sub-folder counts only through the files in it.
FileContents ReadFolder(const fs::path& folder) {
    FileContents files;
    if (!fs::is_directory(folder)) {
        return files;
    }
    for (const auto& entry : fs::recursive_directory_iterator(folder)) {
        if (entry.is_directory()) {
            continue;
        }
        const std::string name = entry.path().lexically_relative(folder).generic_string();
        files[name] =
            entry.is_regular_file() ? TempDir::Read(entry.path().string()) : "<not a regular file>";
    }
    return files;
}

std::string FinalLines(const ProgressSnapshot& end) {
    return "status: " + std::to_string(end.status) + "\nprogress: " + end.progressText +
           "\nentries: " + end.entryText + "\n";
}

// The examples' reference pair, copied under the names that a case folder
// gives it: recovered files name the reference file in their comments.
std::string StageExampleReferences(const TempDir& staged) {
    const fs::path reference = ExamplesRoot / "reference";
    for (const auto& [from, to] :
         {std::pair{"english.tra", "ref_orig.tra"}, std::pair{"french.tra", "ref_trans.tra"}}) {
        std::error_code error;
        fs::copy_file(reference / from, staged.Path() / to, error);
        EXPECT_FALSE(error) << "cannot copy " << from << ": " << error.message();
    }
    return staged.Path().generic_string();
}

// A path of options.txt: "$EXAMPLES/..." or relative to the case folder.
std::string CasePath(const std::string& written, const std::string& caseFolder) {
    if (written.starts_with(ExamplesPlaceholder)) {
        return ExamplesRoot.generic_string() +
               written.substr(std::string(ExamplesPlaceholder).size());
    }
    return caseFolder + "/" + written;
}

ReferencePairs CaseReferences(const CaseSettings& settings, const std::string& inputs) {
    if (settings.references.empty()) {
        return {{inputs + "/ref_orig.tra", inputs + "/ref_trans.tra"}};
    }
    ReferencePairs pairs;
    for (const auto& [original, translated] : settings.references) {
        pairs.push_back({CasePath(original, inputs), CasePath(translated, inputs)});
    }
    return pairs;
}

// Runs one case and returns everything it produced, with the folder of its
// reference pair and the examples folder replaced by their placeholders.
FileContents RunCase(const fs::path& caseFolder) {
    CaseSettings settings = ReadCaseSettings(caseFolder / "options.txt");
    const std::string examples = ExamplesRoot.generic_string();
    TempDir staged;
    const std::string inputs =
        settings.examplesInputs ? StageExampleReferences(staged) : caseFolder.generic_string();
    std::string mod =
        settings.examplesInputs ? examples + "/mod" : caseFolder.generic_string() + "/mod";
    if (!settings.mod.empty()) {
        mod = CasePath(settings.mod, inputs);
    }
    if (!settings.decisions.empty()) {
        settings.options.decisionsFile = CasePath(settings.decisions, caseFolder.generic_string());
    }
    TempDir out;
    RecoveryJob job(
        {.atCheckPoint = settings.abortPoint
                             ? test_support::AbortAt(*settings.abortPoint, settings.abortOccurrence)
                             : nullptr});
    const ProgressSnapshot end = test_support::RunBatch(job, CaseReferences(settings, inputs), mod,
                                                        out.Path().string(), settings.options);

    FileContents produced = ReadFolder(out.Path());
    produced[FinalLinesName] = FinalLines(end);
    for (auto& [name, bytes] : produced) {
        bytes =
            ReplaceAll(ReplaceAll(bytes, inputs, CasePlaceholder), examples, ExamplesPlaceholder);
        bytes = WithPortableSeparators(WithPortableSeparators(bytes, CasePlaceholder),
                                       ExamplesPlaceholder);
    }
    return produced;
}

void WriteExpected(const fs::path& expectedFolder, const FileContents& produced) {
    fs::remove_all(expectedFolder);
    fs::create_directories(expectedFolder);
    for (const auto& [name, bytes] : produced) {
        fs::create_directories((expectedFolder / name).parent_path());
        std::ofstream(expectedFolder / name, std::ios::binary) << bytes;
    }
}

// The folder that WORDGLEANER_RECOVER_CASE names, or every case folder.
std::vector<std::string> CaseNames() {
    const char* only = std::getenv(OnlyCaseVariable);
    if (only != nullptr && *only != '\0') {
        return {only};
    }
    std::vector<std::string> names;
    std::error_code error;  // a missing root gives no case, which fails the run
    for (const auto& entry : fs::directory_iterator(CasesRoot, error)) {
        if (entry.is_directory()) {
            names.push_back(entry.path().filename().string());
        }
    }
    std::sort(names.begin(), names.end());
    return names;
}

// Test names allow letters, digits and underscores only.
std::string TestNameOf(const testing::TestParamInfo<std::string>& info) {
    std::string name = info.param;
    std::replace_if(
        name.begin(), name.end(), [](unsigned char c) { return std::isalnum(c) == 0; }, '_');
    return name;
}

class RecoverCase : public testing::TestWithParam<std::string> {};

TEST_P(RecoverCase, ProducesItsExpectedFilesByteForByte) {
    const fs::path folder = CasesRoot / GetParam();
    const fs::path expectedFolder = folder / "expected";
    const FileContents produced = RunCase(folder);
    if (std::getenv("WORDGLEANER_UPDATE_GOLDEN") != nullptr) {
        WriteExpected(expectedFolder, produced);
        return;
    }
    ASSERT_TRUE(fs::is_regular_file(expectedFolder / FinalLinesName))
        << "not a case folder: " << folder;
    const FileContents expected = ReadFolder(expectedFolder);
    for (const auto& [name, bytes] : expected) {
        auto actual = produced.find(name);
        if (actual == produced.end()) {
            ADD_FAILURE() << name << " was not written";
        } else {
            EXPECT_EQ(actual->second, bytes) << "in " << name;
        }
    }
    for (const auto& [name, bytes] : produced) {
        EXPECT_TRUE(expected.count(name)) << name << " was written but is not expected";
    }
}

INSTANTIATE_TEST_SUITE_P(RecoverCases, RecoverCase, testing::ValuesIn(CaseNames()), TestNameOf);

}  // namespace
