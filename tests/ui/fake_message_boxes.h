#pragma once

#include <QString>
#include <QStringList>
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
        QStringList buttons = {};  // of a box that asks; empty for one with OK alone
    };

    void Show(QWidget* parent, MessageIcon icon, const QString& caption,
              const QString& text) override {
        shown.push_back({icon, caption, text, parent ? parent->focusWidget() : nullptr});
        if (onShow) {
            onShow(shown.back());
        }
    }

    // Recorded as shown; answers with `answer`, -1 for closing the box.
    int Ask(QWidget* parent, MessageIcon icon, const QString& caption, const QString& text,
            const QStringList& buttons) override {
        shown.push_back({icon, caption, text, parent ? parent->focusWidget() : nullptr, buttons});
        if (onShow) {
            onShow(shown.back());
        }
        return answer;
    }

    // A question counts as a box shown with the question icon, answered with
    // `confirmAnswer`.
    bool Confirm(QWidget* parent, const QString& caption, const QString& text,
                 DefaultAnswer preferred) override {
        ++questions;
        preferredAnswers.push_back(preferred);
        Show(parent, MessageIcon::None, caption, text);
        return confirmAnswer;
    }

    std::vector<Shown> shown;
    int answer = -1;
    int questions = 0;
    std::vector<DefaultAnswer> preferredAnswers;  // of each question, in order
    bool confirmAnswer = true;
    // Runs while the box is "open", e.g. to look at the window behind it.
    std::function<void(const Shown&)> onShow;
};

}  // namespace wordgleaner
