#include "frontend/reference_pair_problems.h"

#include <filesystem>
#include <system_error>

namespace wordgleaner {

namespace {

bool Names(const std::string& path) {
    std::error_code ignored;
    return std::filesystem::exists(path, ignored);
}

}  // namespace

std::string ReferencePairProblem(const ReferencePair& pair) {
    if (pair.original.empty() || pair.translated.empty()) {
        return "A reference pair needs both an original and a translated reference";
    }
    if (ClassifyReferencePair(pair) == ReferencePairKind::Mixed) {
        return MixedReferencePairText(pair);
    }
    return {};
}

std::string MainReferencePairProblem(const ReferencePair& pair, bool folders) {
    const std::string problem = ReferencePairProblem(pair);
    if (!problem.empty() || !folders || ClassifyReferencePair(pair) == ReferencePairKind::Folders) {
        return problem;
    }
    return "The reference fields must name two folders of tra files (as chosen in "
           "Preferences): " +
           pair.original + " and " + pair.translated;
}

std::string FurtherReferencePairProblem(const ReferencePair& pair) {
    for (const std::string* side : {&pair.original, &pair.translated}) {
        if (!side->empty() && !Names(*side)) {
            return "There is no file or folder " + *side;
        }
    }
    return ReferencePairProblem(pair);
}

}  // namespace wordgleaner
