#pragma once

#include <QDialog>

#include <memory>

#include "job/reference_pair.h"

class QCheckBox;

namespace wordgleaner {

class MessageBoxes;
class PathBrowseControl;
class PathChooser;

// Asks for one further reference pair: two files, or two folders of tra
// files. OK closes it only when both sides name something on disk and are of
// one kind.
class ReferencePairDialog : public QDialog {
    Q_OBJECT

public:
    // `chooser`: the choosers of the two fields; none for the standard ones.
    ReferencePairDialog(MessageBoxes& messages, std::shared_ptr<PathChooser> chooser,
                        QWidget* parent = nullptr);

    // Folders: both fields take folders; otherwise files.
    void SetFolders(bool folders);
    // The pair accepted with OK, in the system's 8-bit text.
    ReferencePair Pair() const;

public slots:
    void accept() override;

private:
    PathBrowseControl* AddField(const QString& label, const char* name);

    MessageBoxes& messages;
    std::shared_ptr<PathChooser> chooser;
    QCheckBox* foldersBox = nullptr;
    PathBrowseControl* originalField = nullptr;
    PathBrowseControl* translatedField = nullptr;
};

}  // namespace wordgleaner
