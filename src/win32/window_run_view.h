#pragma once

#include <windows.h>

#include <functional>
#include <string>

#include "frontend/run_view.h"

namespace wordgleaner {

class MainPathFields;
class MessageBoxes;

// The run controller's view on the main window's dialog: its boxes are the
// window's message boxes, its timer a WM_TIMER of PollTimerId that the
// window answers with the controller's Poll.
class WindowRunView : public RunView {
public:
    static constexpr UINT_PTR PollTimerId = 2;

    // `open`: empty opens with the shell.
    WindowRunView(MessageBoxes& messages, std::function<bool(const std::string&)> open);

    void Attach(HWND dialog, MainPathFields& fields);

    void ShowMessage(MessageIcon icon, const std::string& caption,
                     const std::string& text) override;
    bool Confirm(const std::string& caption, const std::string& question,
                 DefaultAnswer preferred) override;
    int Choose(MessageIcon icon, const std::string& caption, const std::string& text,
               const std::vector<std::string>& buttons) override;
    void SetBar(RunBar bar, int percent, const std::string& text) override;
    void SetTimeText(const std::string& text) override;
    void SetRunning(bool running) override;
    void FocusField(PathField field) override;
    void MarkPath(PathField field, const std::string& problem) override;
    std::string FullPath(const std::string& path) const override;
    bool Open(const std::string& fullPath) override;
    std::string DownloadsFolder() const override;
    void SetDecisionsFile(const std::string& path) override;
    void SchedulePoll(std::chrono::milliseconds interval) override;

private:
    MessageBoxes& messages;
    std::function<bool(const std::string&)> open;
    HWND dialog = nullptr;
    MainPathFields* fields = nullptr;
};

}  // namespace wordgleaner
