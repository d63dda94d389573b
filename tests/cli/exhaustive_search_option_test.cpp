// The hidden option that selects the linear search, kept for checks.

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "cli/cli_options.h"

using namespace wordgleaner;

namespace {

CliParseResult Parse(std::vector<std::string> words, std::string* out = nullptr) {
    std::vector<const char*> argv;
    for (const std::string& word : words) {
        argv.push_back(word.c_str());
    }
    std::ostringstream printed;
    std::ostringstream errors;
    CliParseResult result =
        ParseCommandLine(static_cast<int>(argv.size()), argv.data(), printed, errors);
    if (out != nullptr) {
        *out = printed.str();
    }
    return result;
}

TEST(ExhaustiveSearchOption, SelectsTheLinearSearchOnlyWhenGiven) {
    CliParseResult plain = Parse({"wordgleaner-cli", "o", "t", "m", "d"});
    ASSERT_TRUE(plain.request.has_value());
    EXPECT_FALSE(plain.request->options.exhaustiveSearch);

    CliParseResult exhaustive =
        Parse({"wordgleaner-cli", "--exhaustive-search", "o", "t", "m", "d"});
    ASSERT_TRUE(exhaustive.request.has_value());
    EXPECT_TRUE(exhaustive.request->options.exhaustiveSearch);
}

TEST(ExhaustiveSearchOption, IsNotListedInTheHelp) {
    std::string help;
    Parse({"wordgleaner-cli", "--help"}, &help);
    EXPECT_NE(help.find("--min-likeliness"), std::string::npos);
    EXPECT_EQ(help.find("exhaustive"), std::string::npos) << help;
}

}  // namespace
