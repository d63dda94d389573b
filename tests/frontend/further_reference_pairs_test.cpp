// The further reference pairs listed beside the main window's own.

#include "frontend/further_reference_pairs.h"

#include <gtest/gtest.h>

#include "frontend/remembered_settings.h"

using namespace wordgleaner;

namespace {

PreferencesValues WithPairs(ReferencePairs pairs) {
    PreferencesValues preferences;
    preferences.furtherPairs = std::move(pairs);
    return preferences;
}

TEST(FurtherReferencePairs, TheListIsRememberedInOrderAsOneText) {
    const ReferencePairs pairs = {{"C:\\en\\a.tra", "C:\\fr\\a.tra"}, {"C:\\en", "C:\\fr"}};
    EXPECT_EQ(EncodeReferencePairs(pairs), "C:\\en\\a.tra|C:\\fr\\a.tra|C:\\en|C:\\fr");
    SettingsValues values;
    WriteRememberedPreferences(WithPairs(pairs), values);
    EXPECT_EQ(values.at("references/extraPairs"), EncodeReferencePairs(pairs));
    EXPECT_EQ(ReadRememberedPreferences(values).furtherPairs, pairs);
    EXPECT_EQ(DecodeReferencePairs("a|b|c"), (ReferencePairs{{"a", "b"}}));
    EXPECT_EQ(DecodeReferencePairs("a||c|d"), (ReferencePairs{{"a", ""}, {"c", "d"}}));
}

// A shorter list written over a longer one leaves none of the longer's pairs
// behind; a pair with an empty side (edited by hand) is left out.
TEST(FurtherReferencePairs, TheRememberedPairsAreExactlyTheLastWrittenWholeOnes) {
    SettingsValues values;
    WriteRememberedPreferences(WithPairs({{"a", "b"}, {"c", "d"}, {"e", "f"}}), values);
    WriteRememberedPreferences(WithPairs({{"g", "h"}}), values);
    EXPECT_EQ(ReadRememberedPreferences(values).furtherPairs, (ReferencePairs{{"g", "h"}}));
    WriteRememberedPreferences({}, values);
    EXPECT_TRUE(ReadRememberedPreferences(values).furtherPairs.empty());
    values["references/extraPairs"] = "i||j|k|l|";
    EXPECT_EQ(ReadRememberedPreferences(values).furtherPairs, (ReferencePairs{{"j", "k"}}));
}

TEST(FurtherReferencePairs, AListShowsBothPathsOfAPair) {
    EXPECT_EQ(ReferencePairLabel({"C:\\en\\a.tra", "C:\\fr\\a.tra"}),
              "C:\\en\\a.tra  =>  C:\\fr\\a.tra");
}

}  // namespace
