#pragma once

#include <string>

#include "job/reference_pair.h"

namespace wordgleaner {

// The further reference pairs a user lists beside the main window's own
// pair: the run searches them after it, in the order of the list. Whether a
// pair may join the list is FurtherReferencePairProblem's to say.

// How a list shows a pair: "english.tra => french.tra" with the whole paths.
std::string ReferencePairLabel(const ReferencePair& pair);

// The list as one remembered text, "original|translated|original|..." ("|"
// is in no Windows file name), and back; a text of an odd number of parts
// loses its last part.
std::string EncodeReferencePairs(const ReferencePairs& pairs);
ReferencePairs DecodeReferencePairs(const std::string& text);

}  // namespace wordgleaner
