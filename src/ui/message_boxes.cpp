#include "message_boxes.h"

#include <QMessageBox>

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
    box.exec();
}

}  // namespace wordgleaner
