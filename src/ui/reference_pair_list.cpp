#include "reference_pair_list.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <memory>
#include <utility>

#include "local_text.h"
#include "reference_pair_dialog.h"

namespace wordgleaner {

namespace {

// At least a few pairs show; more scroll, or show in a taller window.
constexpr int VisibleRows = 3;

enum Column { OriginalColumn, TranslatedColumn };

QPushButton* MakeButton(const QString& text, const char* name, QWidget* parent) {
    auto* button = new QPushButton(text, parent);
    button->setObjectName(name);
    button->setAutoDefault(false);
    return button;
}

}  // namespace

ReferencePairList::ReferencePairList(MessageBoxes& messageBoxes,
                                     std::shared_ptr<PathChooser> pathChooser, QWidget* parent)
    : QWidget(parent), messages(messageBoxes), chooser(std::move(pathChooser)) {
    list = new QTreeWidget(this);
    list->setObjectName("furtherReferenceList");
    list->setRootIsDecorated(false);
    list->setHeaderLabels({tr("Original language"), tr("Translated")});
    list->header()->setSectionResizeMode(QHeaderView::Stretch);
    list->setTextElideMode(Qt::ElideMiddle);
    const int rowHeight = list->fontMetrics().height() + 4;
    list->setMinimumHeight(list->header()->sizeHint().height() + VisibleRows * rowHeight +
                           2 * list->frameWidth());
    auto* caption = new QLabel(
        tr("Fur&ther reference pairs, searched after the one above in this order"), this);
    caption->setBuddy(list);

    addButton = MakeButton(tr("&New pair..."), "addPairButton", this);
    upButton = MakeButton(tr("Move &up"), "moveUpButton", this);
    downButton = MakeButton(tr("Move do&wn"), "moveDownButton", this);
    removeButton = MakeButton(tr("Remo&ve"), "removePairButton", this);
    // The buttons in a row under the list, so the list is as wide as the
    // path fields above and below it.
    auto* buttons = new QHBoxLayout;
    for (QPushButton* button : {addButton, upButton, downButton, removeButton}) {
        buttons->addWidget(button);
    }
    buttons->addStretch();

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(caption);
    layout->addWidget(list, 1);
    layout->addLayout(buttons);

    connect(addButton, &QPushButton::clicked, this, &ReferencePairList::AddPair);
    connect(upButton, &QPushButton::clicked, this, &ReferencePairList::MoveSelectedUp);
    connect(downButton, &QPushButton::clicked, this, &ReferencePairList::MoveSelectedDown);
    connect(removeButton, &QPushButton::clicked, this, &ReferencePairList::RemoveSelected);
    connect(list, &QTreeWidget::currentItemChanged, this, &ReferencePairList::UpdateButtons);
    UpdateButtons();
}

QSize ReferencePairList::sizeHint() const {
    return {QWidget::sizeHint().width(), minimumSizeHint().height()};
}

ReferencePairs ReferencePairList::Pairs() const {
    ReferencePairs pairs;
    for (int row = 0; row < list->topLevelItemCount(); ++row) {
        const QTreeWidgetItem* item = list->topLevelItem(row);
        pairs.push_back(
            {ToLocalText(item->text(OriginalColumn)), ToLocalText(item->text(TranslatedColumn))});
    }
    return pairs;
}

void ReferencePairList::SetPairs(const ReferencePairs& pairs) {
    list->clear();
    for (const ReferencePair& pair : pairs) {
        AppendRow(pair);
    }
    UpdateButtons();
}

void ReferencePairList::SetFoldersFirst(bool folders) {
    foldersFirst = folders;
}

void ReferencePairList::AppendRow(const ReferencePair& pair) {
    const QString original = FromLocalText(pair.original);
    const QString translated = FromLocalText(pair.translated);
    auto* item = new QTreeWidgetItem(list, {original, translated});
    item->setToolTip(OriginalColumn, original);
    item->setToolTip(TranslatedColumn, translated);
}

void ReferencePairList::AddPair() {
    ReferencePairDialog dialog(messages, chooser, this);
    dialog.SetFolders(foldersFirst);
    if (dialog.exec() != QDialog::Accepted) {
        return;
    }
    AppendRow(dialog.Pair());
    list->setCurrentItem(list->topLevelItem(list->topLevelItemCount() - 1));
    UpdateButtons();
}

void ReferencePairList::MoveSelectedUp() {
    MoveSelected(-1);
}

void ReferencePairList::MoveSelectedDown() {
    MoveSelected(+1);
}

void ReferencePairList::MoveSelected(int step) {
    const int row = list->indexOfTopLevelItem(list->currentItem());
    const int target = row + step;
    if (row < 0 || target < 0 || target >= list->topLevelItemCount()) {
        return;
    }
    QTreeWidgetItem* item = list->takeTopLevelItem(row);
    list->insertTopLevelItem(target, item);
    list->setCurrentItem(item);
    UpdateButtons();
}

void ReferencePairList::RemoveSelected() {
    const int row = list->indexOfTopLevelItem(list->currentItem());
    if (row < 0) {
        return;
    }
    // Taken out of the list, the item is ours to free.
    std::unique_ptr<QTreeWidgetItem> removed(list->takeTopLevelItem(row));
    UpdateButtons();
}

// A button that would do nothing is disabled, so the user sees why.
void ReferencePairList::UpdateButtons() {
    const int row = list->indexOfTopLevelItem(list->currentItem());
    const int count = list->topLevelItemCount();
    upButton->setEnabled(row > 0);
    downButton->setEnabled(row >= 0 && row + 1 < count);
    removeButton->setEnabled(row >= 0);
    emit CountChanged(count);
}

}  // namespace wordgleaner
