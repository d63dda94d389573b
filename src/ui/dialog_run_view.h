#pragma once

#include <QTimer>

#include <array>
#include <functional>
#include <vector>

#include "frontend/run_view.h"

class QLabel;
class QPushButton;
class QUrl;
class QWidget;

namespace wordgleaner {

class MessageBoxes;
class PathBrowseControl;
class PercentProgressBar;

// The main window's controls that show a run.
struct RunWidgets {
    std::array<PathBrowseControl*, PathFieldCount> fields{};
    PathBrowseControl* decisions = nullptr;     // the review decisions field
    std::vector<QWidget*> otherInputs;          // locked during a run with the fields
    std::array<PercentProgressBar*, 2> bars{};  // by RunBar
    QLabel* time = nullptr;
    QPushButton* quit = nullptr;
};

// The run controller's view on Qt widgets: its boxes are the window's
// message boxes, its timer a single-shot QTimer whose ticks `poll` handles.
class DialogRunView : public RunView {
public:
    DialogRunView(QWidget& window, MessageBoxes& messages,
                  std::function<bool(const QUrl&)> openUrl);

    void Attach(RunWidgets widgets, std::function<void()> poll);
    bool PollTimerActive() const { return pollTimer.isActive(); }
    void StopPollTimer() { pollTimer.stop(); }

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
    QWidget& window;
    MessageBoxes& messages;
    std::function<bool(const QUrl&)> openUrl;  // empty: QDesktopServices
    RunWidgets widgets;
    QTimer pollTimer;
};

}  // namespace wordgleaner
