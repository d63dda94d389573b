#include "review/csv_records.h"

namespace wordgleaner {

namespace {

// Walks the text once, a character at a time; a field begins quoted or not,
// and only its first character tells which.
class CsvReader {
public:
    explicit CsvReader(std::string_view text) : text(text) {}

    CsvParse Read() {
        while (position < text.size() && result.Ok()) {
            ReadRecord();
        }
        return std::move(result);
    }

private:
    void ReadRecord() {
        CsvRecord record;
        record.line = line;
        for (;;) {
            record.fields.push_back(ReadField());
            if (!result.Ok() || AtEnd() || Peek() != ',') {
                break;
            }
            ++position;
        }
        if (result.Ok()) {
            SkipRecordEnd();
            result.records.push_back(std::move(record));
        }
    }

    std::string ReadField() { return !AtEnd() && Peek() == '"' ? ReadQuoted() : ReadPlain(); }

    std::string ReadPlain() {
        std::string field;
        while (!AtEnd() && Peek() != ',' && !AtRecordEnd()) {
            if (Peek() == '"') {
                Fail("a quote inside a field that does not begin with one", line);
                return field;
            }
            field += text[position++];
        }
        return field;
    }

    std::string ReadQuoted() {
        const int openedAt = line;
        ++position;
        std::string field;
        for (;;) {
            if (AtEnd()) {
                Fail("a quoted field is not closed", openedAt);
                return field;
            }
            const char character = text[position++];
            if (character == '\n') {
                ++line;
            }
            if (character != '"') {
                field += character;
            } else if (!AtEnd() && Peek() == '"') {
                field += '"';
                ++position;
            } else {
                break;
            }
        }
        if (!AtEnd() && Peek() != ',' && !AtRecordEnd()) {
            Fail("a character after the closing quote of a field", line);
        }
        return field;
    }

    bool AtEnd() const { return position >= text.size(); }
    char Peek() const { return text[position]; }

    bool AtRecordEnd() const {
        return Peek() == '\n' ||
               (Peek() == '\r' && position + 1 < text.size() && text[position + 1] == '\n');
    }

    void SkipRecordEnd() {
        if (AtEnd()) {
            return;
        }
        position += Peek() == '\r' ? 2 : 1;
        ++line;
    }

    void Fail(const char* why, int at) {
        result.fault = why;
        result.faultLine = at;
    }

    std::string_view text;
    std::size_t position = 0;
    int line = 1;
    CsvParse result;
};

}  // namespace

CsvParse ParseCsv(std::string_view text) {
    return CsvReader(text).Read();
}

}  // namespace wordgleaner
