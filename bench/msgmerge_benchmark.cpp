// The same batch side by side with the gettext tools: every mod file is
// converted to a PO template and the reference pair to one PO compendium
// (msgid the original text, msgstr its translation), and
//   msgmerge --compendium=reference.po -o OUT.po empty.po partN.pot
// runs for each mod file, as the batch recovers each file against the whole
// reference. Prints both times, both peak memories and the ratios. Needs
// msgmerge on the PATH (Debian: apt-get install gettext). Run on a Release build:
//   msgmerge_benchmark [DATA_DIR] [--scale N]
// The default data is the 100,000 x 10,000 batch; at --scale 10 msgmerge
// would take hours.

#include <sys/resource.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>
#include <unordered_set>
#include <vector>

#include "game_data.h"
#include "job/recovery_job.h"
#include "process_measures.h"
#include "store/id_entries.h"
#include "store/tra_file.h"

using namespace wordgleaner;

namespace {

namespace fs = std::filesystem;
using Clock = BenchClock;

void Fail(const std::string& what) {
    std::fprintf(stderr, "msgmerge_benchmark: %s\n", what.c_str());
    std::exit(1);
}

// A PO string: backslash escapes, and one quoted line per text line.
std::string PoString(std::string_view text) {
    std::string quoted = "\"";
    for (char byte : text) {
        switch (byte) {
            case '\\':
                quoted += "\\\\";
                break;
            case '"':
                quoted += "\\\"";
                break;
            case '\t':
                quoted += "\\t";
                break;
            case '\r':
                quoted += "\\r";
                break;
            case '\n':
                quoted += "\\n\"\n\"";
                break;
            default:
                quoted += byte;
        }
    }
    return quoted + "\"";
}

const char* const PoHeader =
    "msgid \"\"\nmsgstr \"\"\n\"Content-Type: text/plain; charset=UTF-8\\n\"\n\n";

// One message per distinct non-empty text: gettext refuses a msgid twice and
// keeps the empty one for the header. The first occurrence wins, as in the batch.
void WriteCompendium(const GameDataPaths& paths, const std::string& out) {
    TraFile original;
    TraFile translated;
    if (original.Load(paths.referenceOriginal) != TraOk ||
        translated.Load(paths.referenceTranslated) != TraOk) {
        Fail("cannot load the references");
    }
    std::ofstream po(out, std::ios::binary);
    po << PoHeader;
    std::unordered_set<std::string_view> seen;
    for (const IdEntry& item : IdEntries(original)) {
        const TraEntry translation = translated.Find(item.entry.Id());
        if (item.entry.MaleText().empty() || !translation ||
            !seen.insert(item.entry.MaleText()).second) {
            continue;
        }
        po << "msgid " << PoString(item.entry.MaleText()) << "\nmsgstr "
           << PoString(translation.MaleText()) << "\n\n";
    }
}

void WriteTemplate(const std::string& traPath, const std::string& out) {
    TraFile mod;
    if (mod.Load(traPath) != TraOk) {
        Fail("cannot load " + traPath);
    }
    std::ofstream po(out, std::ios::binary);
    po << PoHeader;
    std::unordered_set<std::string_view> seen;
    for (const IdEntry& item : IdEntries(mod)) {
        if (!item.entry.MaleText().empty() && seen.insert(item.entry.MaleText()).second) {
            po << "msgid " << PoString(item.entry.MaleText()) << "\nmsgstr \"\"\n\n";
        }
    }
}

std::vector<fs::path> ModFiles(const std::string& modDirectory) {
    std::vector<fs::path> files;
    for (const auto& entry : fs::directory_iterator(modDirectory)) {
        files.push_back(entry.path());
    }
    return files;
}

// Children's peak: the largest of the msgmerge processes that ended.
double ChildrenPeakMebibytes() {
    rusage usage{};
    getrusage(RUSAGE_CHILDREN, &usage);
    return static_cast<double>(usage.ru_maxrss) / KibibytesPerMebibyte;
}

double RunMsgmerge(const fs::path& poDirectory, const std::vector<fs::path>& templates) {
    const fs::path empty = poDirectory / "empty.po";
    std::ofstream(empty, std::ios::binary) << PoHeader;
    const Clock::time_point start = Clock::now();
    for (const fs::path& pot : templates) {
        const std::string command = "msgmerge --quiet --compendium='" +
                                    (poDirectory / "reference.po").string() + "' -o '" +
                                    (poDirectory / pot.stem()).string() + ".po' '" +
                                    empty.string() + "' '" + pot.string() + "'";
        if (std::system(command.c_str()) != 0) {
            Fail("msgmerge failed (is gettext installed?): " + command);
        }
    }
    return SecondsSince(start);
}

double RunBatch(const GameDataPaths& paths, const std::string& output) {
    fs::create_directories(output);
    RecoveryJob job;
    const Clock::time_point start = Clock::now();
    if (!job.Start(paths.referenceOriginal, paths.referenceTranslated, paths.modDirectory, output,
                   RecoveryOptions())) {
        Fail("no worker thread for the batch");
    }
    job.WaitForEnd();
    const double seconds = SecondsSince(start);
    if (job.Snapshot().status != TraOk) {
        Fail("the batch failed: " + job.Snapshot().progressText);
    }
    return seconds;
}

}  // namespace

int main(int argc, char** argv) {
    std::string directory;
    int scale = 1;
    for (int i = 1; i < argc; ++i) {
        const std::string argument = argv[i];
        if (argument == "--scale" && i + 1 < argc) {
            scale = std::max(1, std::atoi(argv[++i]));
        } else {
            directory = argument;
        }
    }
    if (directory.empty()) {
        directory = (fs::temp_directory_path() / "wordgleaner-msgmerge-data").string();
    }
    const GameDataPaths paths = GameDataPathsIn(directory);
    if (!fs::exists(paths.modDirectory) &&
        GenerateGameData(directory, ScaledGameData(scale)) != TraOk) {
        Fail("cannot write the data into " + directory);
    }
    const fs::path poDirectory = fs::path(directory) / "po";
    fs::create_directories(poDirectory);
    WriteCompendium(paths, (poDirectory / "reference.po").string());
    std::vector<fs::path> templates;
    for (const fs::path& tra : ModFiles(paths.modDirectory)) {
        templates.push_back(poDirectory / (tra.stem().string() + ".pot"));
        WriteTemplate(tra.string(), templates.back().string());
    }
    std::uintmax_t inputBytes =
        fs::file_size(paths.referenceOriginal) + fs::file_size(paths.referenceTranslated);
    for (const fs::path& tra : ModFiles(paths.modDirectory)) {
        inputBytes += fs::file_size(tra);
    }
    const double input = static_cast<double>(inputBytes) / (KibibytesPerMebibyte * 1024.0);
    std::printf("input: %.1f MiB of tra files, %zu mod files; compendium %.1f MiB\n", input,
                templates.size(),
                static_cast<double>(fs::file_size(poDirectory / "reference.po")) / 1048576.0);

    // The converter's memory is no part of the batch's peak.
    ResetPeakMemory();
    const double ours = RunBatch(paths, directory + "/out-batch");
    const double ourPeak = PeakMemoryMebibytes();
    std::printf("wordgleaner batch:        %8.2f s, peak %6.0f MiB (%.2f x the input)\n", ours,
                ourPeak, ourPeak / input);
    const double theirs = RunMsgmerge(poDirectory, templates);
    const double theirPeak = ChildrenPeakMebibytes();
    std::printf("msgmerge --compendium:    %8.2f s, peak %6.0f MiB (one run, the largest)\n",
                theirs, theirPeak);
    std::printf("wordgleaner is %.0f times faster and uses %.2f times the memory\n", theirs / ours,
                ourPeak / theirPeak);
    return 0;
}
