#include "review/decisions_file.h"

#include <array>
#include <limits>
#include <new>
#include <optional>

#include "review/csv_records.h"
#include "review/text_encoding.h"
#include "store/tra_failure.h"
#include "store/whole_text_file.h"

namespace wordgleaner {

namespace {

constexpr std::array<std::string_view, 8> Columns = {
    "mod file",       "id",           "mod text",    "decision",
    "reference file", "reference id", "translation", "female translation"};

enum Column : std::size_t {
    ModFileColumn,
    IdColumn,
    ModTextColumn,
    DecisionColumn,
    ReferenceFileColumn,
    ReferenceIdColumn,
    TranslationColumn,
    FemaleTranslationColumn,
};

constexpr std::string_view ByteOrderMark = "\xEF\xBB\xBF";

std::string AtLine(std::string_view why, int line) {
    return std::string(why) + " at line " + std::to_string(line);
}

// Digits only, as the review writes ids; no sign, no spaces.
std::optional<std::int32_t> DecimalId(std::string_view text) {
    if (text.empty() || text.size() > 10) {
        return std::nullopt;
    }
    std::int64_t value = 0;
    for (const char digit : text) {
        if (digit < '0' || digit > '9') {
            return std::nullopt;
        }
        value = value * 10 + (digit - '0');
    }
    if (value > std::numeric_limits<std::int32_t>::max()) {
        return std::nullopt;
    }
    return static_cast<std::int32_t>(value);
}

std::string AsciiLower(std::string_view text) {
    std::string lower(text);
    for (char& character : lower) {
        if (character >= 'A' && character <= 'Z') {
            character = static_cast<char>(character - 'A' + 'a');
        }
    }
    return lower;
}

std::optional<DecisionKind> KindOf(std::string_view text) {
    const std::string lower = AsciiLower(text);
    if (lower == "accept") {
        return DecisionKind::Accept;
    }
    if (lower == "reject") {
        return DecisionKind::Reject;
    }
    if (lower == "edit") {
        return DecisionKind::Edit;
    }
    return std::nullopt;
}

bool IsBlank(const CsvRecord& record) {
    for (const std::string& field : record.fields) {
        if (!field.empty()) {
            return false;
        }
    }
    return true;
}

// The line where the first byte that is no UTF-8 stands.
int LineOfFirstNonUtf8(std::string_view text) {
    int line = 1;
    std::size_t start = 0;
    for (;;) {
        const std::size_t end = text.find('\n', start);
        if (!IsValidUtf8(text.substr(start, end - start))) {
            return line;
        }
        if (end == std::string_view::npos) {
            return 0;
        }
        start = end + 1;
        ++line;
    }
}

// The row turned into a decision, or why it cannot be one.
class RowReader {
public:
    explicit RowReader(const CsvRecord& record) : record(record) {}

    std::optional<ReviewDecision> Read() {
        if (record.fields.size() != Columns.size()) {
            fault = "a row of " + std::to_string(record.fields.size()) + " fields, not " +
                    std::to_string(Columns.size());
            return std::nullopt;
        }
        ReviewDecision decision;
        decision.line = record.line;
        decision.modFile = Field(ModFileColumn);
        decision.modText = Field(ModTextColumn);
        decision.referenceFile = Field(ReferenceFileColumn);
        decision.translation = Field(TranslationColumn);
        decision.femaleTranslation = Field(FemaleTranslationColumn);
        if (decision.modFile.empty()) {
            fault = "a row without its mod file";
            return std::nullopt;
        }
        if (!ReadId(IdColumn, decision.id) || !ReadKind(decision.kind)) {
            return std::nullopt;
        }
        if (decision.kind != DecisionKind::Edit && !ReadCandidate(decision)) {
            return std::nullopt;
        }
        return decision;
    }

    std::string fault;

private:
    const std::string& Field(Column column) const { return record.fields[column]; }

    bool ReadId(Column column, std::int32_t& id) {
        const std::optional<std::int32_t> value = DecimalId(Field(column));
        if (!value) {
            fault = "the " + std::string(Columns[column]) + " \"" + Field(column) +
                    "\" is no whole number from 0 to 2147483647";
            return false;
        }
        id = *value;
        return true;
    }

    bool ReadKind(DecisionKind& kind) {
        const std::optional<DecisionKind> value = KindOf(Field(DecisionColumn));
        if (!value) {
            fault =
                "the decision \"" + Field(DecisionColumn) + "\" is none of accept, reject and edit";
            return false;
        }
        kind = *value;
        return true;
    }

    bool ReadCandidate(ReviewDecision& decision) {
        if (decision.referenceFile.empty()) {
            fault = "an " + AsciiLower(Field(DecisionColumn)) + " without its reference file";
            return false;
        }
        return ReadId(ReferenceIdColumn, decision.referenceId);
    }

    const CsvRecord& record;
};

bool IsHeader(const CsvRecord& record) {
    if (record.fields.size() != Columns.size()) {
        return false;
    }
    for (std::size_t column = 0; column < Columns.size(); ++column) {
        if (AsciiLower(record.fields[column]) != Columns[column]) {
            return false;
        }
    }
    return true;
}

}  // namespace

std::string DecisionsHeader() {
    std::string header;
    for (const std::string_view column : Columns) {
        header += header.empty() ? "" : ",";
        header += column;
    }
    return header;
}

DecisionsFileRead ParseDecisions(std::string_view text) {
    DecisionsFileRead read;
    if (text.starts_with(ByteOrderMark)) {
        text.remove_prefix(ByteOrderMark.size());
    }
    if (const int line = LineOfFirstNonUtf8(text); line != 0) {
        read.fault = AtLine("a text that is not UTF-8", line);
        return read;
    }
    const CsvParse parse = ParseCsv(text);
    if (!parse.Ok()) {
        read.fault = AtLine(parse.fault, parse.faultLine);
        return read;
    }
    if (parse.records.empty() || !IsHeader(parse.records.front())) {
        read.fault = AtLine("not the header line \"" + DecisionsHeader() + "\"", 1);
        return read;
    }
    for (std::size_t i = 1; i < parse.records.size(); ++i) {
        const CsvRecord& record = parse.records[i];
        if (IsBlank(record)) {
            continue;
        }
        RowReader row(record);
        std::optional<ReviewDecision> decision = row.Read();
        if (!decision) {
            read.decisions.clear();
            read.fault = AtLine(row.fault, record.line);
            return read;
        }
        read.decisions.push_back(std::move(*decision));
    }
    return read;
}

DecisionsFileRead ReadDecisionsFile(const std::string& path) {
    try {
        std::string text;
        const WholeTextFileRead file = ReadWholeTextFile(path, text);
        if (file.failure.code != TraOk) {
            DecisionsFileRead read;
            read.fault = TraFailureText(file.failure);
            return read;
        }
        return ParseDecisions(text);
    } catch (const std::bad_alloc&) {
        DecisionsFileRead read;
        read.fault = TraErrorMessage(TraNoMemory);
        return read;
    }
}

}  // namespace wordgleaner
