#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace wordgleaner {

// One record of comma-separated values and the physical line it begins on
// (1 for the first line): a quoted field may hold line breaks, so a record
// can span lines and the line of the next one is not its index.
struct CsvRecord {
    int line = 0;
    std::vector<std::string> fields;
};

struct CsvParse {
    std::vector<CsvRecord> records;
    // Empty when the whole text was read; otherwise why it could not be, at
    // faultLine: a quote inside an unquoted field, a character after a
    // closing quote, or a quoted field left open (told at the line where it
    // began, the only line a reader can look for).
    std::string fault;
    int faultLine = 0;

    bool Ok() const { return fault.empty(); }
};

// Reads `text` as RFC 4180 has it, with LF or CR LF ending the records (a
// spreadsheet writes the one, an editor may save the other): fields
// separated by commas, a quoted field with "" for a quote and any line break
// kept as it is. A line break after the last record ends it and starts no
// empty one. No byte-order mark is expected.
CsvParse ParseCsv(std::string_view text);

}  // namespace wordgleaner
