#include "store/id_entries.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tra_test_helpers.h"

using namespace wordgleaner;

namespace {

struct Visited {
    std::string text;
    int position = 0;
    std::size_t ordinal = 0;

    friend bool operator==(const Visited&, const Visited&) = default;
};

std::vector<Visited> Walk(const TraFile& file) {
    std::vector<Visited> visited;
    for (const IdEntry& item : IdEntries(file)) {
        visited.push_back({std::string(item.entry.MaleText()), item.position, item.ordinal});
    }
    return visited;
}

void PrintTo(const Visited& visited, std::ostream* out) {
    *out << "{'" << visited.text << "' at " << visited.position << ", #" << visited.ordinal << "}";
}

TEST(IdEntries, PassOverLayoutEntriesAndCountThemInThePositionOnly) {
    TraFile file;
    ASSERT_EQ(LoadBytes(file,
                        "// header\n"
                        "@5 = ~first~\n"
                        "\n"
                        "// between\n"
                        "@-2 = ~second~\n"
                        "@5 = ~again~\n"
                        "// trailer\n"),
              TraOk);
    const std::vector<Visited> expected = {{"first", 1, 0}, {"second", 4, 1}, {"again", 5, 2}};
    EXPECT_EQ(Walk(file), expected);
    for (const Visited& each : expected) {
        EXPECT_EQ(file.GetAt(each.position).MaleText(), each.text) << "positions fit GetAt";
    }
}

TEST(IdEntries, FindNothingInAnEmptyFileOrOneOfLayoutOnly) {
    TraFile empty;
    EXPECT_TRUE(Walk(empty).empty());
    TraFile layoutOnly;
    ASSERT_EQ(LoadBytes(layoutOnly, "// only a comment\n\n"), TraOk);
    ASSERT_GT(layoutOnly.GetSize(), 0);
    EXPECT_TRUE(Walk(layoutOnly).empty());
}

}  // namespace
