#pragma once

#include <windows.h>

#include <commctrl.h>

#include <chrono>
#include <functional>
#include <string>
#include <vector>

#include "win32/message_boxes.h"
#include "win32/window_text.h"

namespace wordgleaner {

namespace test_support {

// Answers the window's message boxes at once and keeps what they said.
class FakeMessageBoxes : public MessageBoxes {
public:
    struct Box {
        MessageIcon icon;
        std::string caption;
        std::string text;
        std::vector<std::string> buttons;
        DefaultAnswer preferred = DefaultAnswer::No;  // of a question
    };

    void Show(HWND, MessageIcon icon, const std::string& caption,
              const std::string& text) override {
        boxes.push_back({icon, caption, text, {}});
    }
    int Ask(HWND, MessageIcon icon, const std::string& caption, const std::string& text,
            const std::vector<std::string>& buttons) override {
        boxes.push_back({icon, caption, text, buttons});
        return askAnswer;
    }
    bool Confirm(HWND, const std::string& caption, const std::string& text,
                 DefaultAnswer preferred) override {
        boxes.push_back({MessageIcon::None, caption, text, {"Yes", "No"}, preferred});
        return confirmAnswer;
    }

    std::vector<Box> boxes;
    int askAnswer = -1;
    bool confirmAnswer = false;
};

// Only a hung window ever gets near this; it turns a hang into a failure.
inline constexpr std::chrono::seconds PumpLimit{120};

// Runs the thread's messages, as a modeless dialog's owner does, until the
// condition holds; false when it never did.
inline bool PumpUntil(const std::function<bool()>& done) {
    const auto deadline = std::chrono::steady_clock::now() + PumpLimit;
    while (!done()) {
        if (std::chrono::steady_clock::now() > deadline) {
            return false;
        }
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
    }
    return true;
}

inline void Click(HWND dialog, int id) {
    SendMessageA(GetDlgItem(dialog, id), BM_CLICK, 0, 0);
}

inline bool Enabled(HWND dialog, int id) {
    return IsWindowEnabled(GetDlgItem(dialog, id));
}

inline int BarPosition(HWND dialog, int id) {
    return static_cast<int>(SendDlgItemMessageA(dialog, id, PBM_GETPOS, 0, 0));
}

// Runs `action` on the next modal dialog `owner` opens, from inside its
// modal loop, then lets the loop go on: the way a test answers a dialog that
// the window runs modally.
class ModalAnswer {
public:
    ModalAnswer(HWND owner, std::string caption, std::function<void(HWND)> action)
        : owner(owner), caption(std::move(caption)), action(std::move(action)) {
        SetTimer(owner, reinterpret_cast<UINT_PTR>(this), 20, &ModalAnswer::Tick);
    }
    ~ModalAnswer() { KillTimer(owner, reinterpret_cast<UINT_PTR>(this)); }
    ModalAnswer(const ModalAnswer&) = delete;
    ModalAnswer& operator=(const ModalAnswer&) = delete;

    bool Answered() const { return answered; }

private:
    static void CALLBACK Tick(HWND, UINT, UINT_PTR id, DWORD) {
        auto* self = reinterpret_cast<ModalAnswer*>(id);
        HWND dialog = FindWindowA("#32770", self->caption.c_str());
        if (!dialog || !IsWindowVisible(dialog)) {
            return;
        }
        KillTimer(self->owner, id);
        self->answered = true;
        self->action(dialog);
    }

    HWND owner;
    std::string caption;
    std::function<void(HWND)> action;
    bool answered = false;
};

}  // namespace test_support

}  // namespace wordgleaner
