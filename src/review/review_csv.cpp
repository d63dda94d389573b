#include "review/review_csv.h"

#include "matching/output/number_format.h"
#include "review/text_encoding.h"
#include "store/text_file.h"

namespace wordgleaner {

namespace {

constexpr std::size_t WriteChunk = 64 * 1024;

// Spreadsheet programs read a file without one in the system's legacy code
// page; with it they know it is UTF-8. Other readers skip it.
constexpr std::string_view ByteOrderMark = "\xEF\xBB\xBF";

constexpr std::string_view HeaderRow =
    "Mod file,Id,Outcome,Likeliness,Reference file,Reference id,Mod text,Reference text,"
    "Translated text,Mod sound,Reference sound,Other translations\n";

// Every text field is quoted, not only those that need it: outcomes such as
// "likely, wrong sound" hold commas, and a spreadsheet program then also
// keeps a text's leading spaces and leading zeros.
void AppendQuoted(std::string& out, std::string_view utf8) {
    out += '"';
    for (char character : utf8) {
        out += character;
        if (character == '"') {
            out += '"';
        }
    }
    out += '"';
}

// Spreadsheet programs read a cell that begins with one of these as a
// formula, and a mod text or file name is anything its author typed; a
// leading apostrophe, which they take as "text follows", keeps it a text.
bool ReadAsFormula(std::string_view text) {
    constexpr std::string_view FormulaStarts = "=+-@\t\r";
    return !text.empty() && FormulaStarts.find(text.front()) != std::string_view::npos;
}

// Records end with LF, and so do the lines of a multi-line text in memory;
// the file writer turns every LF into CR LF, the line break RFC 4180 names
// both between records and inside a quoted field. A lone CR of a text stays.
class ReviewTable {
public:
    ReviewTable(TextFileWriter& file, int codePage) : file(file), decoder(codePage) {}

    void Write(std::span<const ReviewRecord> records) {
        out += ByteOrderMark;
        out += HeaderRow;
        for (const ReviewRecord& record : records) {
            Row(record);
            if (out.size() >= WriteChunk) {
                Flush();
            }
        }
        Flush();
    }

private:
    void Row(const ReviewRecord& record) {
        Text(record.modFile);
        out += ',';
        out += std::to_string(record.id);
        out += ',';
        AppendQuoted(out, OutcomeLabel(ReviewOutcomeOf(record)));
        out += ',';
        if (record.HasBest()) {
            out += FormatLikelinessPercent(record.likeliness);
            out += ',';
            Text(record.referenceFile);
            out += ',';
            out += std::to_string(record.referenceId);
        } else {
            out += ",,";
        }
        out += ',';
        Text(record.modText);
        out += ',';
        Text(record.referenceText);
        out += ',';
        Text(record.translatedText);
        out += ',';
        Text(record.modSound);
        out += ',';
        Text(record.referenceSound);
        out += ',';
        out += std::to_string(record.alternatives.size());
        out += '\n';
    }

    void Text(std::string_view bytes) {
        std::string utf8 = decoder.ToUtf8(bytes);
        AppendQuoted(out, ReadAsFormula(utf8) ? "'" + utf8 : utf8);
    }

    void Flush() {
        file.Write(out);
        out.clear();
    }

    TextFileWriter& file;
    CodePageDecoder decoder;
    std::string out;
};

}  // namespace

TraFailure WriteReviewCsv(const std::string& path, std::span<const ReviewRecord> records,
                          int codePage) {
    TextFileWriter file;
    if (file.Open(path) == TraOk) {
        ReviewTable(file, codePage).Write(records);
        file.Commit();
    }
    return file.LastFailure();
}

}  // namespace wordgleaner
