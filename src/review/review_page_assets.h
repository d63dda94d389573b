#pragma once

#include <string_view>

namespace wordgleaner {

// The style sheet and the script of the review page, written inline so that
// the page is one file that opens from disk without any network.
std::string_view ReviewPageStyle();

// Filters the rows by outcome (at first those that need a decision),
// likeliness range, mod file and searched text or id, from the form or from
// the page address ("#outcome=likely&min=80&file=setup.tra"), by setting
// their hidden attribute, and sorts them. The page reads the same without it.
std::string_view ReviewPageScript();

// Lets the reviewer accept, reject, choose another candidate for or edit
// each row that holds a candidate, with the mouse or single keys; keeps the
// decisions in the browser's local storage under the run's key and saves
// them as Wordgleaner_decisions.csv. Runs after ReviewPageScript.
std::string_view ReviewDecisionScript();

}  // namespace wordgleaner
