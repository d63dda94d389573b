#include "frontend/destination_questions.h"

#include <cstddef>

namespace wordgleaner {

namespace {

// Enough to recognise an earlier run; a whole mod folder would fill the screen.
constexpr std::size_t NamesShown = 5;

std::string BareName(const std::string& path) {
    const std::size_t separator = path.find_last_of("/\\");
    return separator == std::string::npos ? path : path.substr(separator + 1);
}

}  // namespace

std::string CreateFolderQuestion(const std::string& destination) {
    return "The destination folder " + destination + " does not exist.\n\nCreate it?";
}

std::string ReplaceOutputsQuestion(const std::string& destination,
                                   const std::vector<std::string>& replaced) {
    const std::size_t count = replaced.size();
    std::string text = "The destination folder " + destination + " already holds " +
                       std::to_string(count) + (count == 1 ? " file" : " files") +
                       " that this run would replace (recovered tra files of the same names, "
                       "the report, the patch or the review of an earlier run):\n";
    for (std::size_t index = 0; index < count && index < NamesShown; ++index) {
        text += "\n" + BareName(replaced[index]);
    }
    if (count > NamesShown) {
        text += "\nand " + std::to_string(count - NamesShown) + " more";
    }
    return text + "\n\nReplace them?";
}

}  // namespace wordgleaner
