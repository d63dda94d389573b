#pragma once

#include <QString>
#include <QWidget>

#include <functional>
#include <vector>

#include "ui/message_boxes.h"

namespace wordgleaner {

// Records every box instead of showing it; the box counts as closed at once.
class FakeMessageBoxes : public MessageBoxes {
public:
    struct Shown {
        MessageIcon icon;
        QString caption;
        QString text;
        // What had the focus while the box was up, for the field checks.
        QWidget* focusWidget;
    };

    void Show(QWidget* parent, MessageIcon icon, const QString& caption,
              const QString& text) override {
        shown.push_back({icon, caption, text, parent ? parent->focusWidget() : nullptr});
        if (onShow) {
            onShow(shown.back());
        }
    }

    // A question counts as a box shown with the question icon, answered with
    // `answer`.
    bool Ask(QWidget* parent, const QString& caption, const QString& text) override {
        ++questions;
        Show(parent, MessageIcon::None, caption, text);
        return answer;
    }

    std::vector<Shown> shown;
    int questions = 0;
    bool answer = true;
    // Runs while the box is "open", e.g. to look at the window behind it.
    std::function<void(const Shown&)> onShow;
};

}  // namespace wordgleaner
