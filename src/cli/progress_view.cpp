#include "cli/progress_view.h"

#include <algorithm>

#include "job/progress_percent.h"

namespace wordgleaner {

namespace {

constexpr int BarCells = 20;
constexpr const char* FilesLabel = "Files   ";
constexpr const char* EntriesLabel = "Entries ";

// Control sequences understood by every terminal this runs on (Windows
// consoles once virtual terminal processing is on).
constexpr const char* CursorUpTwoLines = "\x1b[2A";
constexpr const char* ClearToScreenEnd = "\r\x1b[J";

// Only what the two bars show: a change of anything else needs no redraw.
bool ShowsTheSame(const ProgressSnapshot& a, const ProgressSnapshot& b) {
    return a.filePercent == b.filePercent && a.progressText == b.progressText &&
           a.entryPercent == b.entryPercent && a.entryText == b.entryText;
}

bool IsUtf8Continuation(char byte) {
    return (static_cast<unsigned char>(byte) & 0xC0) == 0x80;
}

// A file name may hold control bytes; on a terminal they would move the
// cursor or start an escape sequence.
std::string Printable(std::string text) {
    std::replace_if(
        text.begin(), text.end(),
        [](char byte) { return static_cast<unsigned char>(byte) < 0x20 || byte == 0x7F; }, '?');
    return text;
}

}  // namespace

std::string ProgressBar(std::int32_t percent, int width) {
    percent = std::clamp(percent, 0, FullPercent);
    const int filled = static_cast<int>(static_cast<long long>(width) * percent / FullPercent);
    std::string number = std::to_string(percent);
    return "[" + std::string(filled, '#') + std::string(width - filled, '-') + "] " +
           std::string(3 - std::min<std::size_t>(3, number.size()), ' ') + number + "% ";
}

std::string FitToColumns(const std::string& line, int columns) {
    int cells = 0;
    for (std::size_t position = 0; position < line.size(); ++position) {
        if (IsUtf8Continuation(line[position])) {
            continue;
        }
        if (cells == columns) {
            return line.substr(0, position);
        }
        ++cells;
    }
    return line;
}

void LineProgressView::Show(const ProgressSnapshot& progress) {
    // Before the worker's first write the text is still empty: nothing to tell.
    if (outputFailed || progress.progressText.empty() || progress.progressText == lastLine) {
        return;
    }
    out << progress.progressText << '\n' << std::flush;
    outputFailed = !out;
    lastLine = outputFailed ? std::string() : progress.progressText;
}

void LineProgressView::Note(const std::string& text) {
    if (outputFailed) {
        return;
    }
    out << text << '\n' << std::flush;
    outputFailed = !out;
}

void TerminalProgressView::Show(const ProgressSnapshot& progress) {
    if (outputFailed || (drawn && ShowsTheSame(progress, shown))) {
        return;  // unchanged: no flicker
    }
    Erase();
    Draw(progress);
    Flush();
}

void TerminalProgressView::Note(const std::string& text) {
    if (outputFailed) {
        return;
    }
    Erase();
    out << text << '\n';
    if (drawn) {
        drawn = false;
        Draw(shown);
    }
    Flush();
}

void TerminalProgressView::Close() {
    if (outputFailed) {
        return;
    }
    Erase();
    drawn = false;
    Flush();
}

void TerminalProgressView::Flush() {
    out << std::flush;
    outputFailed = !out;
}

void TerminalProgressView::Erase() {
    if (drawn) {
        out << CursorUpTwoLines << ClearToScreenEnd;
    }
}

// A line one cell short of the width, so the cursor never wraps and moving
// up two lines always lands on the first bar.
void TerminalProgressView::Draw(const ProgressSnapshot& progress) {
    const int usable = std::max(1, columns - 1);
    out << FitToColumns(FilesLabel + ProgressBar(progress.filePercent, BarCells) +
                            Printable(progress.progressText),
                        usable)
        << '\n'
        << FitToColumns(EntriesLabel + ProgressBar(progress.entryPercent, BarCells) +
                            Printable(progress.entryText),
                        usable)
        << '\n';
    shown = progress;
    drawn = true;
}

}  // namespace wordgleaner
