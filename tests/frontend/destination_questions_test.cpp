// What the windows ask before a run about its destination.

#include "frontend/destination_questions.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace wordgleaner;

namespace {

TEST(DestinationQuestions, OneFileIsNamedAndALongListEndsWithHowManyMore) {
    EXPECT_EQ(ReplaceOutputsQuestion("out", {"out/Wordgleaner_report.txt"}),
              "The destination folder out already holds 1 file that this run would replace "
              "(recovered tra files of the same names, the report, the patch or the review of an "
              "earlier run):\n\nWordgleaner_report.txt\n\nReplace them?");

    std::vector<std::string> many;
    for (int index = 1; index <= 7; ++index) {
        many.push_back("C:\\mods\\out\\part" + std::to_string(index) + ".tra");
    }
    const std::string question = ReplaceOutputsQuestion("C:\\mods\\out", many);
    EXPECT_NE(question.find(" holds 7 files "), std::string::npos);
    EXPECT_NE(question.find("\n\npart1.tra\npart2.tra\npart3.tra\npart4.tra\npart5.tra\nand 2 more"
                            "\n\nReplace them?"),
              std::string::npos)
        << question;
}

}  // namespace
