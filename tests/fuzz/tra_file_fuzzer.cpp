// Feeds arbitrary bytes to TraFile::Load. Any input must load without a crash,
// hang or leak; one that loads must survive load -> save -> load unchanged.

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string_view>

#include "support/temp_dir.h"
#include "support/tra_round_trip.h"

using namespace wordgleaner;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // One folder for the whole run: creating one per input would dominate the time.
    static const test_support::TempDir workDir;
    const std::string input =
        workDir.Write("input.tra", std::string_view(reinterpret_cast<const char*>(data), size));
    auto result = test_support::CheckRoundTrip(input, workDir.Path().string());
    if (!result.problem.empty()) {
        std::fprintf(stderr, "round trip: %s\n", result.problem.c_str());
        std::abort();
    }
    return 0;
}
