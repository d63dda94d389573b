// The reference pairs listed beside the main window's own.

#include "frontend/extra_reference_pairs.h"

#include <gtest/gtest.h>

#include "frontend/path_fields.h"
#include "frontend/remembered_settings.h"
#include "support/temp_dir.h"

using namespace wordgleaner;
using test_support::TempDir;

namespace {

TEST(ExtraReferencePairs, APairJoinsTheListAsTwoFilesOrTwoFolders) {
    TempDir dir;
    const std::string english = dir.Write("en/a.tra", "@1 = ~a~\n");
    const std::string french = dir.Write("fr/a.tra", "@1 = ~b~\n");
    EXPECT_EQ(CheckExtraPair({english, french}), std::nullopt);
    EXPECT_EQ(CheckExtraPair({dir / "en", dir / "fr"}), std::nullopt);
    EXPECT_EQ(CheckExtraPair({english, dir / "missing.tra"}), std::nullopt);  // told by the run
    EXPECT_NE(CheckExtraPair({english, ""}), std::nullopt);
    EXPECT_EQ(CheckExtraPair({dir / "en", french}), MixedReferencePairText({dir / "en", french}));
}

TEST(ExtraReferencePairs, TheListIsRememberedInOrderAsOneText) {
    const ReferencePairs pairs = {{"C:\\en\\a.tra", "C:\\fr\\a.tra"}, {"C:\\en", "C:\\fr"}};
    EXPECT_EQ(EncodeReferencePairs(pairs), "C:\\en\\a.tra|C:\\fr\\a.tra|C:\\en|C:\\fr");
    SettingsValues values;
    WriteRememberedExtraPairs(pairs, values);
    EXPECT_EQ(ReadRememberedExtraPairs(values), pairs);
    EXPECT_EQ(ReadRememberedExtraPairs({}), ReferencePairs());
    EXPECT_EQ(DecodeReferencePairs("a|b|c"), (ReferencePairs{{"a", "b"}}));
    EXPECT_EQ(DecodeReferencePairs("a||c|d"), (ReferencePairs{{"a", ""}, {"c", "d"}}));
}

TEST(ExtraReferencePairs, AListShowsBothPathsOfAPair) {
    EXPECT_EQ(ReferencePairLabel({"C:\\en\\a.tra", "C:\\fr\\a.tra"}),
              "C:\\en\\a.tra  =>  C:\\fr\\a.tra");
}

}  // namespace
