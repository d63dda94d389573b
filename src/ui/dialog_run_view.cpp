#include "dialog_run_view.h"

#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStandardPaths>
#include <QUrl>

#include <utility>

#include "controls/path_browse_control.h"
#include "controls/percent_progress_bar.h"
#include "frontend/main_window_labels.h"
#include "local_text.h"
#include "message_boxes.h"

namespace wordgleaner {

DialogRunView::DialogRunView(QWidget& owner, MessageBoxes& messageBoxes,
                             std::function<bool(const QUrl&)> open)
    : window(owner), messages(messageBoxes), openUrl(std::move(open)) {
    pollTimer.setSingleShot(true);
}

void DialogRunView::Attach(RunWidgets runWidgets, std::function<void()> poll) {
    widgets = std::move(runWidgets);
    QObject::connect(&pollTimer, &QTimer::timeout, &window, std::move(poll));
}

void DialogRunView::ShowMessage(MessageIcon icon, const std::string& caption,
                                const std::string& text) {
    messages.Show(&window, icon, FromLocalText(caption), FromLocalText(text));
}

bool DialogRunView::Confirm(const std::string& caption, const std::string& question,
                            DefaultAnswer preferred) {
    return messages.Confirm(&window, FromLocalText(caption), FromLocalText(question), preferred);
}

int DialogRunView::Choose(MessageIcon icon, const std::string& caption, const std::string& text,
                          const std::vector<std::string>& buttons) {
    QStringList names;
    for (const std::string& button : buttons) {
        names << FromLocalText(button);
    }
    return messages.Ask(&window, icon, FromLocalText(caption), FromLocalText(text), names);
}

void DialogRunView::SetBar(RunBar bar, int percent, const std::string& text) {
    PercentProgressBar* shown = widgets.bars[static_cast<std::size_t>(bar)];
    shown->SetPos(percent);
    shown->SetText(FromLocalText(text));
}

void DialogRunView::SetTimeText(const std::string& text) {
    widgets.time->setText(FromLocalText(text));
}

void DialogRunView::SetRunning(bool running) {
    for (QWidget* field : widgets.fields) {
        field->setEnabled(!running);
    }
    for (QWidget* input : widgets.otherInputs) {
        input->setEnabled(!running);
    }
    widgets.quit->setText(QString::fromUtf8(QuitLabel(running)));
}

void DialogRunView::FocusField(PathField field) {
    widgets.fields[static_cast<std::size_t>(field)]->Edit()->setFocus(Qt::OtherFocusReason);
}

void DialogRunView::MarkPath(PathField field, const std::string& problem) {
    widgets.fields[static_cast<std::size_t>(field)]->ShowPathWarning(FromLocalText(problem));
}

// Made absolute against the working directory the job ran in.
std::string DialogRunView::FullPath(const std::string& path) const {
    return ToLocalText(QDir::toNativeSeparators(
        QFileInfo(QDir::fromNativeSeparators(FromLocalText(path))).absoluteFilePath()));
}

bool DialogRunView::Open(const std::string& fullPath) {
    const QUrl url = QUrl::fromLocalFile(QDir::fromNativeSeparators(FromLocalText(fullPath)));
    return openUrl ? openUrl(url) : QDesktopServices::openUrl(url);
}

std::string DialogRunView::DownloadsFolder() const {
    return ToLocalText(QStandardPaths::writableLocation(QStandardPaths::DownloadLocation));
}

void DialogRunView::SetDecisionsFile(const std::string& path) {
    widgets.decisions->SetPath(FromLocalText(path));
}

void DialogRunView::SchedulePoll(std::chrono::milliseconds interval) {
    pollTimer.start(interval);
}

}  // namespace wordgleaner
