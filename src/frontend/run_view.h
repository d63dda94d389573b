#pragma once

#include <chrono>
#include <string>
#include <vector>

#include "frontend/message_icon.h"
#include "frontend/path_fields.h"

namespace wordgleaner {

enum class RunBar { Files, Entries };

// The button of a question that Enter presses.
enum class DefaultAnswer { No, Yes };

// What the run controller asks of its window: each window implements it with
// its own toolkit and decides nothing itself. Texts are 8-bit, in the
// system's local encoding, as the job's paths and texts are.
class RunView {
public:
    virtual ~RunView() = default;

    // A modal box with one OK button.
    virtual void ShowMessage(MessageIcon icon, const std::string& caption,
                             const std::string& text) = 0;
    // A modal question with Yes and No; true for Yes.
    virtual bool Confirm(const std::string& caption, const std::string& question,
                         DefaultAnswer preferred) = 0;
    // A modal box with one button per label, in order; the index of the
    // button pressed, or -1 when the box was closed another way.
    virtual int Choose(MessageIcon icon, const std::string& caption, const std::string& text,
                       const std::vector<std::string>& buttons) = 0;

    virtual void SetBar(RunBar bar, int percent, const std::string& text) = 0;
    // Under the bars: the elapsed time and the time left.
    virtual void SetTimeText(const std::string& text) = 0;
    // While a run goes on the inputs are disabled and Quit reads
    // QuitLabel(true).
    virtual void SetRunning(bool running) = 0;
    virtual void FocusField(PathField field) = 0;
    // Shows the field's warning sign, whose tooltip says `problem`, or takes
    // it away when `problem` is empty.
    virtual void MarkPath(PathField field, const std::string& problem) = 0;
    // A path as the job wrote it (maybe relative to the working directory)
    // made absolute, as the user's programs need it.
    virtual std::string FullPath(const std::string& path) const = 0;
    // Opens a page or folder, given by its full path, in the user's programs;
    // false when it could not be opened.
    virtual bool Open(const std::string& fullPath) = 0;
    // Where the user's browser saves downloads, and so a review page its
    // decisions file; empty when the system does not say.
    virtual std::string DownloadsFolder() const = 0;
    // Puts a path into the review decisions field.
    virtual void SetDecisionsFile(const std::string& path) = 0;
    // One tick of a single-shot timer, after which the window calls the
    // controller's Poll.
    virtual void SchedulePoll(std::chrono::milliseconds interval) = 0;
};

}  // namespace wordgleaner
