#pragma once

#include <array>
#include <chrono>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "frontend/run_view.h"

namespace wordgleaner {

namespace test_support {

// Records what the controller asks of its window and answers its boxes as
// told; every call also goes into `calls`, to check their order.
class FakeRunView : public RunView {
public:
    struct Box {
        MessageIcon icon;
        std::string caption;
        std::string text;
        std::vector<std::string> buttons;  // of a question or a choice; empty for OK alone
        DefaultAnswer preferred = DefaultAnswer::No;  // of a question
    };
    struct Bar {
        int percent = 0;
        std::string text;
    };

    void ShowMessage(MessageIcon icon, const std::string& caption,
                     const std::string& text) override {
        boxes.push_back({icon, caption, text, {}});
        calls.push_back("ShowMessage " + caption);
    }
    bool Confirm(const std::string& caption, const std::string& question,
                 DefaultAnswer preferred) override {
        boxes.push_back({MessageIcon::None, caption, question, {"Yes", "No"}, preferred});
        calls.push_back("Confirm " + caption);
        return confirmAnswer;
    }
    int Choose(MessageIcon icon, const std::string& caption, const std::string& text,
               const std::vector<std::string>& buttons) override {
        boxes.push_back({icon, caption, text, buttons});
        calls.push_back("Choose " + caption);
        return chooseAnswer;
    }
    void SetBar(RunBar bar, int percent, const std::string& text) override {
        (bar == RunBar::Files ? filesBar : entriesBar) = {percent, text};
    }
    void SetTimeText(const std::string& text) override { timeText = text; }
    void SetRunning(bool isRunning) override {
        running = isRunning;
        calls.push_back(isRunning ? "SetRunning true" : "SetRunning false");
    }
    void FocusField(PathField field) override {
        focused = field;
        calls.push_back("FocusField");
    }
    void MarkPath(PathField field, const std::string& problem) override {
        signs[static_cast<std::size_t>(field)] = problem;
        ++marks;
    }
    std::string FullPath(const std::string& path) const override {
        return std::filesystem::absolute(path).lexically_normal().string();
    }
    bool Open(const std::string& path) override {
        opened.push_back(path);
        return openSucceeds;
    }
    std::string DownloadsFolder() const override { return downloadsFolder; }
    void SetDecisionsFile(const std::string& path) override {
        decisionsFile = path;
        calls.push_back("SetDecisionsFile");
    }
    void SchedulePoll(std::chrono::milliseconds interval) override {
        scheduled.push_back(interval);
    }

    std::vector<Box> boxes;
    std::vector<std::string> calls;
    Bar filesBar;
    Bar entriesBar;
    std::string timeText;
    bool running = false;
    std::optional<PathField> focused;
    std::array<std::string, PathFieldCount> signs;  // by PathField: the sign's text, "" for none
    int marks = 0;                                  // signs set or cleared
    std::vector<std::string> opened;
    std::vector<std::chrono::milliseconds> scheduled;

    std::string downloadsFolder;
    std::string decisionsFile;  // as the controller put it into the field

    bool confirmAnswer = false;
    int chooseAnswer = -1;
    bool openSucceeds = true;
};

}  // namespace test_support

}  // namespace wordgleaner
