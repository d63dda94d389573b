#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "frontend/message_icon.h"
#include "frontend/run_view.h"

namespace wordgleaner {

// Every message box of the window goes through this, so that tests can
// answer the boxes and see what was said.
class MessageBoxes {
public:
    virtual ~MessageBoxes() = default;
    // A modal box with one OK button.
    virtual void Show(HWND owner, MessageIcon icon, const std::string& caption,
                      const std::string& text) = 0;
    // A modal box with one button per text, in order; the index of the
    // button pressed, or -1 when the box was closed another way.
    virtual int Ask(HWND owner, MessageIcon icon, const std::string& caption,
                    const std::string& text, const std::vector<std::string>& buttons) = 0;
    // Yes and No; true for Yes.
    virtual bool Confirm(HWND owner, const std::string& caption, const std::string& text,
                         DefaultAnswer preferred) = 0;
};

// The system's boxes: MessageBox, and a task dialog for named buttons.
class SystemMessageBoxes : public MessageBoxes {
public:
    void Show(HWND owner, MessageIcon icon, const std::string& caption,
              const std::string& text) override;
    int Ask(HWND owner, MessageIcon icon, const std::string& caption, const std::string& text,
            const std::vector<std::string>& buttons) override;
    bool Confirm(HWND owner, const std::string& caption, const std::string& text,
                 DefaultAnswer preferred) override;
};

}  // namespace wordgleaner
