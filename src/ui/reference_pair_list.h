#pragma once

#include <QWidget>

#include <memory>

#include "job/reference_pair.h"

class QPushButton;
class QTreeWidget;

namespace wordgleaner {

class MessageBoxes;
class PathChooser;

// The further reference pairs of a run, searched after the two reference
// fields in the order shown: the user adds a pair (in its own dialog), moves
// the selected pair up or down, or removes it.
class ReferencePairList : public QWidget {
    Q_OBJECT

public:
    ReferencePairList(MessageBoxes& messages, std::shared_ptr<PathChooser> chooser,
                      QWidget* parent = nullptr);

    // In the system's 8-bit text, as the job takes paths.
    ReferencePairs Pairs() const;
    void SetPairs(const ReferencePairs& pairs);
    // The kind the pair dialog starts with: folders or files, as the
    // reference fields take.
    void SetFoldersFirst(bool folders);

    // As tall as the few rows it shows at least: a window opens compact, and
    // the list takes what the user adds to its height.
    QSize sizeHint() const override;

signals:
    // After every change of the list, with how many pairs it now holds.
    void CountChanged(int count);

public slots:
    // Opens the pair dialog; a pair accepted there goes to the end, selected.
    void AddPair();
    void MoveSelectedUp();
    void MoveSelectedDown();
    void RemoveSelected();

private:
    void MoveSelected(int step);
    void AppendRow(const ReferencePair& pair);
    void UpdateButtons();

    MessageBoxes& messages;
    std::shared_ptr<PathChooser> chooser;
    bool foldersFirst = false;
    QTreeWidget* list = nullptr;
    QPushButton* addButton = nullptr;
    QPushButton* upButton = nullptr;
    QPushButton* downButton = nullptr;
    QPushButton* removeButton = nullptr;
};

}  // namespace wordgleaner
