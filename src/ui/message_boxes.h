#pragma once

#include <QString>

class QWidget;

namespace wordgleaner {

enum class MessageIcon { None, Warning, Error };

// Every message box of the program goes through this, so that tests can
// answer the boxes and see what was said.
class MessageBoxes {
public:
    virtual ~MessageBoxes() = default;
    // A modal box with one OK button; returns when the user has closed it.
    virtual void Show(QWidget* parent, MessageIcon icon, const QString& caption,
                      const QString& text) = 0;
    // A modal question with Yes and No buttons, No the default; true for Yes.
    virtual bool Ask(QWidget* parent, const QString& caption, const QString& text) = 0;
};

class QtMessageBoxes : public MessageBoxes {
public:
    void Show(QWidget* parent, MessageIcon icon, const QString& caption,
              const QString& text) override;
    bool Ask(QWidget* parent, const QString& caption, const QString& text) override;
};

}  // namespace wordgleaner
