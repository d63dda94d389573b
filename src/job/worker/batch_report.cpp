#include "job/worker/batch_report.h"

#include "job/run_end.h"
#include "matching/reference_set.h"
#include "store/text_file.h"

namespace wordgleaner {

namespace {

constexpr const char* InterruptedLine = "Process interrupted.";

std::string TakenFromText(const std::string& name, std::int32_t count) {
    return "Texts taken from " + name + ": " + std::to_string(count);
}

std::string SeveralTranslationsText(std::int32_t count) {
    return "Texts with several translations in the reference: " + std::to_string(count) +
           " (see the review)";
}

}  // namespace

std::vector<std::string> ReportLines(const ProgressSnapshot& end, const ReferenceSet& references,
                                     std::span<const std::int32_t> acceptedByReferenceFile,
                                     std::span<const std::string> ignoredReferences,
                                     std::int32_t severalTranslations) {
    std::vector<std::string> lines;
    if (end.abortRequested) {
        lines.push_back(InterruptedLine);
    }
    lines.push_back(end.progressText);
    lines.push_back(end.entryText);
    if (!end.partialFile.empty()) {
        lines.push_back(PartialFileText(end) + ".");
    }
    if (!end.unsearchedSubFolders.empty()) {
        lines.push_back(SubFoldersNotSearchedLine(end.unsearchedSubFolders));
    }
    if (severalTranslations > 0) {
        lines.push_back(SeveralTranslationsText(severalTranslations));
    }
    if (references.FileCount() > 1) {
        for (std::uint32_t file = 0; file < references.FileCount(); ++file) {
            const std::int32_t accepted =
                file < acceptedByReferenceFile.size() ? acceptedByReferenceFile[file] : 0;
            lines.push_back(TakenFromText(references.Names()[file], accepted));
        }
    }
    lines.insert(lines.end(), end.skippedFiles.begin(), end.skippedFiles.end());
    lines.insert(lines.end(), ignoredReferences.begin(), ignoredReferences.end());
    return lines;
}

TraError WriteReportFile(const std::string& path, std::span<const std::string> lines,
                         TraFailure& failure) {
    TextFileWriter report;
    TraError status = report.Open(path);
    if (status == TraOk) {
        for (const std::string& line : lines) {
            report.Write(line + "\n");
        }
        status = report.Commit();
    }
    failure = report.LastFailure();
    return status;
}

}  // namespace wordgleaner
