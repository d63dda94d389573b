#include "main_dialog.h"

#include <QAction>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QSettings>

#include "about_dialog.h"
#include "controls/path_browse_control.h"
#include "controls/percent_progress_bar.h"
#include "frontend/decisions_field.h"
#include "frontend/main_window_labels.h"
#include "local_text.h"
#include "message_boxes.h"
#include "path_field_setup.h"
#include "preferences_dialog.h"
#include "reference_pair_list.h"
#include "settings_store.h"
#include "system_menu.h"
#include "ui_resources.h"

namespace wordgleaner {

namespace {

constexpr std::array<const char*, PathFieldCount> FieldNames = {
    "referenceOriginalField", "referenceTranslatedField", "modDirectoryField",
    "destinationDirectoryField"};

// The width a window opens with when it remembers none: a long path shows
// at a glance. A narrower window still shows enough of each path to tell
// where it goes, and every label whole.
constexpr int FirstWidth = 640;
constexpr int FieldNarrowestWidth = 200;

QString Text(const char* text) {
    return QString::fromUtf8(text);
}

// No button is the default, so Enter starts or quits nothing by itself
// (keyPressEvent lets it press the focused button).
QPushButton* MakeButton(const char* text, const char* name, QWidget* parent) {
    auto* button = new QPushButton(Text(text), parent);
    button->setObjectName(name);
    button->setAutoDefault(false);
    return button;
}

}  // namespace

MainDialog::MainDialog(MainDialogServices dialogServices, QWidget* parent)
    : QDialog(parent),
      services(std::move(dialogServices)),
      view(*this, services.messages, services.openUrl),
      controller(view, services.jobHooks) {
    setWindowTitle(Text(ProgramName));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    setWindowIcon(ApplicationIcon());
    BuildControls();
    OfferAboutCommand();
    resize(sizeHint().expandedTo(QSize(FirstWidth, 0)));
    Restore();
    ShowReferenceKind();
}

// Created in the order of the window's controls, which is also the tab
// order; the fields and bars take the width the user gives the window.
void MainDialog::BuildControls() {
    auto* layout = grid = new QGridLayout(this);
    layout->setColumnStretch(0, 1);
    int row = 0;
    for (std::size_t index = 0; index < PathFieldCount; ++index) {
        if (index == 2) {  // the further pairs, the one part that gains from a taller window
            furtherReferences = new ReferencePairList(services.messages, services.chooser, this);
            furtherReferences->setObjectName("furtherReferences");
            pairsRow = row;
            layout->addWidget(furtherReferences, row++, 0);
        }
        widgets.fields[index] = MakePathField(FieldNames[index], services.chooser, this);
        widgets.fields[index]->setMinimumWidth(FieldNarrowestWidth);
        labels[index] = AddLabelledRow(*layout, row, {}, widgets.fields[index]);
    }
    decisionsField = MakeDecisionsField(services.chooser, this);
    AddLabelledRow(*layout, row, Text(DecisionsFieldLabel), decisionsField);
    spareRow = row++;  // between the fields and the bars: the bars keep to the bottom
    GiveHeightToPairs(false);
    connect(furtherReferences, &ReferencePairList::CountChanged, this,
            [this](int count) { GiveHeightToPairs(count > 0); });
    const char* barNames[] = {"filesProgressBar", "entriesProgressBar"};
    const char* barLabels[] = {FilesBarLabel, EntriesBarLabel};
    for (std::size_t index = 0; index < widgets.bars.size(); ++index) {
        widgets.bars[index] = new PercentProgressBar(this);
        widgets.bars[index]->setObjectName(barNames[index]);
        AddLabelledRow(*layout, row, Text(barLabels[index]), widgets.bars[index]);
    }
    widgets.time = new QLabel(this);
    widgets.time->setObjectName("timeLabel");
    layout->addWidget(widgets.time, row++, 0);
    auto* importButton = MakeButton(ImportLabel, "importButton", this);
    layout->addWidget(importButton, 1, 1);
    auto* preferencesButton = MakeButton(PreferencesLabel, "preferencesButton", this);
    layout->addWidget(preferencesButton, 3, 1);
    widgets.quit = MakeButton(QuitLabel(false), "quitButton", this);
    layout->addWidget(widgets.quit, row - 1, 1);
    setSizeGripEnabled(true);
    connect(importButton, &QPushButton::clicked, this, &MainDialog::StartRun);
    connect(preferencesButton, &QPushButton::clicked, this, &MainDialog::ChangeSettings);
    connect(widgets.quit, &QPushButton::clicked, this, &MainDialog::reject);
    widgets.decisions = decisionsField;
    widgets.otherInputs = {furtherReferences, decisionsField, importButton, preferencesButton};
    view.Attach(widgets, [this] { PollJob(); });
}

void MainDialog::OfferAboutCommand() {
    if (AppendAboutToSystemMenu(*this, Text(AboutItemLabel))) {
        return;
    }
    auto* about = new QAction(Text(AboutItemLabel), this);
    about->setObjectName("aboutAction");
    about->setShortcut(QKeySequence(Qt::Key_F1));
    connect(about, &QAction::triggered, this, &MainDialog::ShowAbout);
    addAction(about);
    setContextMenuPolicy(Qt::ActionsContextMenu);
}

// The two reference fields, their labels and their choosers take tra files,
// or folders of them once the user has chosen reference folders.
void MainDialog::ShowReferenceKind() {
    const bool folders = preferences.referenceFolders;
    for (std::size_t index = 0; index < PathFieldCount; ++index) {
        const auto field = static_cast<PathField>(index);
        labels[index]->setText(Text(FieldLabel(field, folders)));
        ShowFieldKind(*widgets.fields[index], field, folders);
    }
    furtherReferences->SetFoldersFirst(folders);
}

// An empty list has nothing to show in more height.
void MainDialog::GiveHeightToPairs(bool anyPair) {
    grid->setRowStretch(pairsRow, anyPair ? 1 : 0);
    grid->setRowStretch(spareRow, anyPair ? 0 : 1);
}

RunRequest MainDialog::Request() const {
    RunRequest request = {{}, preferences};
    for (std::size_t index = 0; index < PathFieldCount; ++index) {
        request.paths.texts[index] = ToLocalText(widgets.fields[index]->GetPath());
    }
    request.preferences.furtherPairs = furtherReferences->Pairs();
    request.decisionsFile = ToLocalText(decisionsField->GetPath());
    return request;
}

void MainDialog::StartRun() {
    if (controller.Import(Request())) {
        Remember();
    }
}

void MainDialog::PollJob() {
    view.StopPollTimer();
    controller.Poll();
}

void MainDialog::ChangeSettings() {
    if (controller.Running()) {
        return;
    }
    PreferencesDialog dialog(services.messages, Request().preferences, this);
    if (dialog.exec() == QDialog::Accepted) {
        preferences = dialog.Values();
        ShowReferenceKind();
        Remember();
    }
}

void MainDialog::ShowAbout() {
    AboutDialog dialog(services.version, this);
    dialog.exec();
}

void MainDialog::reject() {
    if (controller.Cancel()) {
        QDialog::reject();
    }
}

void MainDialog::Restore() {
    if (!services.store) {
        return;
    }
    const RememberedWindow remembered = ReadRememberedWindow(ReadStoredValues(*services.store));
    for (std::size_t index = 0; index < PathFieldCount; ++index) {
        widgets.fields[index]->SetPath(FromLocalText(remembered.paths.texts[index]));
    }
    preferences = remembered.preferences;
    furtherReferences->SetPairs(preferences.furtherPairs);
    decisionsField->SetPath(FromLocalText(remembered.decisionsFile));
    const QSize size(remembered.width, remembered.height);
    if (!size.isEmpty()) {
        resize(size.expandedTo(minimumSizeHint()));
    }
}

void MainDialog::Remember() {
    if (services.store) {
        const RunRequest request = Request();
        WriteStoredValues(*services.store,
                          RememberedValues({request.paths, request.preferences, width(), height(),
                                            request.decisionsFile}));
    }
}

void MainDialog::done(int result) {
    Remember();
    if (services.store) {
        services.store->sync();
    }
    QDialog::done(result);
}

// Enter on a focused button presses it, as Space does. An auto-default
// button would do the same, but the dialog would then make the first of them
// its default button, which Enter anywhere else would press.
void MainDialog::keyPressEvent(QKeyEvent* event) {
    auto* button = qobject_cast<QPushButton*>(focusWidget());
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    if (enter && button && button->isEnabled()) {
        button->click();
        return;
    }
    QDialog::keyPressEvent(event);
}

void MainDialog::changeEvent(QEvent* event) {
    QDialog::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow()) {
        controller.CheckPaths(Request());
    }
}

bool MainDialog::nativeEvent(const QByteArray& eventType, void* message, qintptr* result) {
    if (IsAboutSystemCommand(eventType, message)) {
        ShowAbout();
        *result = 0;
        return true;
    }
    return QDialog::nativeEvent(eventType, message, result);
}

}  // namespace wordgleaner
