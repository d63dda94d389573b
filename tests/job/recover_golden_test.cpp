// Recovery cases kept as folders in tests/data/recover/<case>/:
//   ref_orig.tra, ref_trans.tra   the reference pair (either may be missing)
//   mod/                          the mod's tra files
//   options.txt                   "key = value" lines, see ReadCaseSettings
//   expected/                     every file the run leaves in the destination,
//                                 byte for byte, and final.txt with the job's
//                                 status and last texts
// The case folder's path appears in expected texts as "$CASE". Adding a
// case is adding a folder; WORDGLEANER_UPDATE_GOLDEN=1 writes what a run
// produces into expected/ (check it by hand before committing it).

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <optional>
#include <sstream>
#include <string>
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
constexpr const char* FinalLinesName = "final.txt";
constexpr const char* CasePlaceholder = "$CASE";
constexpr std::size_t FewestCases = 5;  // guards against a moved or emptied data folder

using FileContents = std::map<std::string, std::string>;

struct CaseSettings {
    RecoveryOptions options;
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

FileContents ReadFolder(const fs::path& folder) {
    FileContents files;
    if (!fs::is_directory(folder)) {
        return files;
    }
    for (const auto& entry : fs::directory_iterator(folder)) {
        const std::string name = entry.path().filename().string();
        files[name] =
            entry.is_regular_file() ? TempDir::Read(entry.path().string()) : "<not a regular file>";
    }
    return files;
}

std::string FinalLines(const RecoveryJob& job) {
    return "status: " + std::to_string(job.status.load()) +
           "\nprogress: " + job.progressText.Get() + "\nentries: " + job.entryText.Get() + "\n";
}

// Runs one case and returns everything it produced, with the case folder's
// path replaced by the placeholder.
FileContents RunCase(const fs::path& caseFolder) {
    CaseSettings settings = ReadCaseSettings(caseFolder / "options.txt");
    const std::string folder = caseFolder.generic_string();
    TempDir out;
    RecoveryJob job;
    if (settings.abortPoint) {
        test_support::AbortAt(job, *settings.abortPoint, settings.abortOccurrence);
    }
    test_support::RunBatch(
        job,
        {folder + "/ref_orig.tra", folder + "/ref_trans.tra", folder + "/mod", out.Path().string()},
        settings.options);

    FileContents produced = ReadFolder(out.Path());
    produced[FinalLinesName] = FinalLines(job);
    for (auto& [name, bytes] : produced) {
        bytes = ReplaceAll(bytes, folder, CasePlaceholder);
    }
    return produced;
}

void WriteExpected(const fs::path& expectedFolder, const FileContents& produced) {
    fs::remove_all(expectedFolder);
    fs::create_directories(expectedFolder);
    for (const auto& [name, bytes] : produced) {
        std::ofstream(expectedFolder / name, std::ios::binary) << bytes;
    }
}

std::vector<fs::path> CaseFolders() {
    std::vector<fs::path> folders;
    for (const auto& entry : fs::directory_iterator(CasesRoot)) {
        if (entry.is_directory()) {
            folders.push_back(entry.path());
        }
    }
    std::sort(folders.begin(), folders.end());
    return folders;
}

TEST(RecoverCases, EveryCaseFolderProducesItsExpectedFilesByteForByte) {
    const bool update = std::getenv("WORDGLEANER_UPDATE_GOLDEN") != nullptr;
    const std::vector<fs::path> folders = CaseFolders();
    ASSERT_GE(folders.size(), FewestCases) << CasesRoot;

    for (const fs::path& folder : folders) {
        SCOPED_TRACE(folder.filename().string());
        const FileContents produced = RunCase(folder);
        if (update) {
            WriteExpected(folder / "expected", produced);
            continue;
        }
        const FileContents expected = ReadFolder(folder / "expected");
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
}

}  // namespace
