#pragma once

#include <cstdint>
#include <ostream>
#include <string>

#include "job/progress_snapshot.h"

namespace wordgleaner {

// How a run shows its progress while the job works. A view whose output
// failed once (a closed pipe, a full disk) writes nothing more: the run goes
// on and its exit status tells the outcome.
class ProgressView {
public:
    virtual ~ProgressView() = default;
    virtual void Show(const ProgressSnapshot& progress) = 0;
    // A message of the program itself (such as the abort notice).
    virtual void Note(const std::string& text) = 0;
    // The job has ended: the final lines follow as plain lines.
    virtual void Close() = 0;
    // The last progress line already printed as a plain line, if any.
    virtual const std::string& LastPrintedLine() const = 0;
};

// For a pipe or a file: one line each time progressText changes.
class LineProgressView : public ProgressView {
public:
    explicit LineProgressView(std::ostream& out) : out(out) {}
    void Show(const ProgressSnapshot& progress) override;
    void Note(const std::string& text) override;
    void Close() override {}
    const std::string& LastPrintedLine() const override { return lastLine; }

private:
    std::ostream& out;
    std::string lastLine;
    bool outputFailed = false;
};

// For a terminal: two live lines, files and entries, each a bar with its
// percentage and the job's text, redrawn in place and erased at the end.
class TerminalProgressView : public ProgressView {
public:
    TerminalProgressView(std::ostream& out, int columns) : out(out), columns(columns) {}
    void Show(const ProgressSnapshot& progress) override;
    void Note(const std::string& text) override;
    void Close() override;
    const std::string& LastPrintedLine() const override { return noLine; }

private:
    void Erase();
    void Draw(const ProgressSnapshot& progress);
    void Flush();

    std::ostream& out;
    int columns;
    bool drawn = false;
    ProgressSnapshot shown;
    const std::string noLine;
    bool outputFailed = false;
};

// "[#####---------------]  25% " for a bar of `width` cells; the percentage
// is clamped to 0..100.
std::string ProgressBar(std::int32_t percent, int width);

// The first bytes of `line` that fit in `columns` terminal cells, counting a
// UTF-8 character as one cell and never cutting one in two.
std::string FitToColumns(const std::string& line, int columns);

}  // namespace wordgleaner
