#include "message_boxes.h"

#include <QMessageBox>
#include <QPushButton>

#include <vector>

namespace wordgleaner {

namespace {

QMessageBox::Icon ToQtIcon(MessageIcon icon) {
    switch (icon) {
        case MessageIcon::Warning:
            return QMessageBox::Warning;
        case MessageIcon::Error:
            return QMessageBox::Critical;
        case MessageIcon::None:
            break;
    }
    return QMessageBox::NoIcon;
}

}  // namespace

void QtMessageBoxes::Show(QWidget* parent, MessageIcon icon, const QString& caption,
                          const QString& text) {
    QMessageBox box(ToQtIcon(icon), caption, text, QMessageBox::Ok, parent);
    // Job texts hold file names and tra text; never let them be read as markup.
    box.setTextFormat(Qt::PlainText);
    // A path told here may be needed elsewhere: it can be selected and copied.
    box.setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    box.exec();
}

// The last button is the one Escape presses: the one that does nothing.
int QtMessageBoxes::Ask(QWidget* parent, MessageIcon icon, const QString& caption,
                        const QString& text, const QStringList& buttons) {
    QMessageBox box(ToQtIcon(icon), caption, text, QMessageBox::NoButton, parent);
    box.setTextFormat(Qt::PlainText);
    std::vector<QPushButton*> added;
    for (const QString& button : buttons) {
        added.push_back(box.addButton(button, QMessageBox::ActionRole));
    }
    if (!added.empty()) {
        box.setEscapeButton(added.back());
        box.setDefaultButton(added.back());
    }
    box.exec();
    for (std::size_t index = 0; index < added.size(); ++index) {
        if (box.clickedButton() == added[index]) {
            return static_cast<int>(index);
        }
    }
    return -1;
}

bool QtMessageBoxes::Confirm(QWidget* parent, const QString& caption, const QString& text,
                             DefaultAnswer preferred) {
    QMessageBox box(QMessageBox::Question, caption, text, QMessageBox::Yes | QMessageBox::No,
                    parent);
    box.setTextFormat(Qt::PlainText);
    // Enter must not replace files by accident: the caller says which
    // answer loses nothing.
    box.setDefaultButton(preferred == DefaultAnswer::Yes ? QMessageBox::Yes : QMessageBox::No);
    return box.exec() == QMessageBox::Yes;
}

}  // namespace wordgleaner
