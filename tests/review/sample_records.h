#pragma once

#include <string>
#include <vector>

#include "review/review_record.h"

namespace wordgleaner {

namespace test_support {

inline ReviewRecord SampleRecord(std::string modFile, std::int32_t id, MatchOutcome outcome,
                                 std::string modText) {
    ReviewRecord record;
    record.modFile = std::move(modFile);
    record.id = id;
    record.outcome = outcome;
    record.modText = std::move(modText);
    return record;
}

inline ReviewRecord WithBest(ReviewRecord record, std::string referenceFile, std::int32_t id,
                             double likeliness, std::string referenceText,
                             std::string translatedText) {
    record.referenceFile = std::move(referenceFile);
    record.referenceId = id;
    record.likeliness = likeliness;
    record.referenceText = std::move(referenceText);
    record.translatedText = std::move(translatedText);
    return record;
}

inline ReviewCandidate Candidate(std::string referenceFile, std::int32_t id, double likeliness,
                                 bool wrongSound, std::string text,
                                 std::string translatedText = {}) {
    ReviewCandidate candidate;
    candidate.referenceFile = std::move(referenceFile);
    candidate.referenceId = id;
    candidate.likeliness = likeliness;
    candidate.wrongSound = wrongSound;
    candidate.text = std::move(text);
    candidate.translatedText = std::move(translatedText);
    return candidate;
}

// A small run over two mod files with two entries of every outcome, texts
// that need escaping, a code-page byte (0xE9, "é" in code page 1252) and
// other candidates with their translations, sound references and a female
// text; the exact ones are not rows of the page.
inline std::vector<ReviewRecord> SampleRecords() {
    std::vector<ReviewRecord> records;
    records.push_back(WithBest(SampleRecord("setup.tra", 1, MatchOutcome::Exact, "Hello."),
                               "dialog.tra", 100, 100.0, "Hello.", "Bonjour."));
    records.push_back(WithBest(SampleRecord("setup.tra", 2, MatchOutcome::AlmostExact, "HELLO."),
                               "dialog.tra", 100, 100.0, "Hello.", "Bonjour."));
    records.push_back(WithBest(
        SampleRecord("setup.tra", 3, MatchOutcome::VeryLikely, "Take the sword, <CHARNAME>."),
        "dialog.tra", 200, 96.2, "Take the sword <CHARNAME>!",
        "Prends l'\xE9p\xE9"
        "e."));
    ReviewRecord likely =
        WithBest(SampleRecord("setup.tra", 4, MatchOutcome::Likely, "Open the door & \"run\"."),
                 "dialog.tra", 300, 65.9, "Close the door & run.", "Ferme la porte.");
    likely.otherCandidates.push_back(
        Candidate("dialog.tra", 301, 55.0, false, "Open a <door>.", "Ouvre une <porte>."));
    likely.otherCandidates.push_back(
        Candidate("dialog.tra", 302, 51.5, true, "Open it.", "Ouvre-la."));
    likely.otherCandidates.back().sound = "OPEN02";
    records.push_back(likely);
    ReviewRecord wrongSound =
        WithBest(SampleRecord("setup.tra", 5, MatchOutcome::Likely, "Welcome, traveller."),
                 "dialog.tra", 400, 100.0, "Welcome, traveller.", "Bienvenue, voyageur.");
    wrongSound.wrongSound = true;
    wrongSound.modSound = "WELCOME1";
    wrongSound.referenceSound = "WELCOME2";
    wrongSound.translatedFemaleText = "Bienvenue, voyageuse.";
    records.push_back(wrongSound);
    ReviewRecord missing =
        WithBest(SampleRecord("setup.tra", 6, MatchOutcome::Exact, "The gate is shut."),
                 "dialog.tra", 500, 100.0, "The gate is shut.", "");
    missing.missingTranslation = true;
    records.push_back(missing);
    records.push_back(SampleRecord("setup.tra", 7, MatchOutcome::NotFound, "Nobody says 'this'."));
    records.push_back(SampleRecord("setup.tra", 8, MatchOutcome::Empty, ""));

    records.push_back(WithBest(SampleRecord("items tra.tra", 1, MatchOutcome::Exact, "Gold"),
                               "items.tra", 10, 100.0, "Gold", "Or"));
    records.push_back(
        WithBest(SampleRecord("items tra.tra", 2, MatchOutcome::VeryLikely, "A long\nsword"),
                 "items.tra", 11, 95.0, "A long sword",
                 "Une \xE9p\xE9"
                 "e longue"));
    records.push_back(WithBest(SampleRecord("items tra.tra", 3, MatchOutcome::Likely, "Shield"),
                               "items.tra", 12, 70.0, "Small shield", "Petit bouclier"));
    ReviewRecord wrongSound2 =
        WithBest(SampleRecord("items tra.tra", 4, MatchOutcome::Likely, "Helmet"), "items.tra", 13,
                 90.0, "Helmet!", "Casque !");
    wrongSound2.wrongSound = true;
    records.push_back(wrongSound2);
    ReviewRecord missing2 =
        WithBest(SampleRecord("items tra.tra", 5, MatchOutcome::VeryLikely, "Caf\xE9 of the inn"),
                 "items.tra", 14, 97.5, "Caf\xE9 at the inn", "");
    missing2.missingTranslation = true;
    records.push_back(missing2);
    records.push_back(SampleRecord("items tra.tra", 6, MatchOutcome::NotFound, "Boots < 5 gp"));
    records.push_back(SampleRecord("items tra.tra", 7, MatchOutcome::Empty, ""));
    // The same id twice in one file.
    records.push_back(SampleRecord("items tra.tra", 7, MatchOutcome::Empty, ""));
    return records;
}

}  // namespace test_support

}  // namespace wordgleaner
