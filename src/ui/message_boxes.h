#pragma once

#include <QString>
#include <QStringList>

#include "frontend/message_icon.h"
#include "frontend/run_view.h"

class QWidget;

namespace wordgleaner {

// Every message box of the program goes through this, so that tests can
// answer the boxes and see what was said.
class MessageBoxes {
public:
    virtual ~MessageBoxes() = default;
    // A modal box with one OK button; returns when the user has closed it.
    virtual void Show(QWidget* parent, MessageIcon icon, const QString& caption,
                      const QString& text) = 0;
    // A modal box with one button per text, in order; returns the index of
    // the button pressed, or -1 when the box was closed another way.
    virtual int Ask(QWidget* parent, MessageIcon icon, const QString& caption, const QString& text,
                    const QStringList& buttons) = 0;
    // A modal question with Yes and No buttons; true for Yes.
    virtual bool Confirm(QWidget* parent, const QString& caption, const QString& text,
                         DefaultAnswer preferred) = 0;
};

class QtMessageBoxes : public MessageBoxes {
public:
    void Show(QWidget* parent, MessageIcon icon, const QString& caption,
              const QString& text) override;
    int Ask(QWidget* parent, MessageIcon icon, const QString& caption, const QString& text,
            const QStringList& buttons) override;
    bool Confirm(QWidget* parent, const QString& caption, const QString& text,
                 DefaultAnswer preferred) override;
};

}  // namespace wordgleaner
