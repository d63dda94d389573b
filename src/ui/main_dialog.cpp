#include "main_dialog.h"

#include <QAction>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSettings>
#include <QUrl>

#include <array>
#include <chrono>
#include <optional>
#include <utility>
#include <vector>

#include "about_dialog.h"
#include "controls/path_browse_control.h"
#include "controls/percent_progress_bar.h"
#include "frontend/end_summary.h"
#include "frontend/path_fields.h"
#include "frontend/readable_progress.h"
#include "frontend/reference_pair_problems.h"
#include "job/destination_check.h"
#include "job/run_end.h"
#include "local_text.h"
#include "message_boxes.h"
#include "preferences_dialog.h"
#include "reference_pair_list.h"
#include "reference_path_fields.h"
#include "settings_keys.h"
#include "system_menu.h"
#include "ui_resources.h"

namespace wordgleaner {

namespace {

// The path fields and the bars are wide enough for a long path at a glance.
constexpr int FieldMinimumWidth = 440;

constexpr unsigned DestinationFolderFlags =
    FolderReturnOnlyFileSystemDirs | FolderEditBox | FolderNewDialogStyle;

const QString FailureCaption = QStringLiteral("Failure");

// A path as the job wrote it, made absolute against the working directory
// the job ran in.
QUrl LocalFileUrl(const std::string& path) {
    return QUrl::fromLocalFile(
        QFileInfo(QDir::fromNativeSeparators(FromLocalText(path))).absoluteFilePath());
}

// No button is the default, so Enter starts or quits nothing by itself
// (keyPressEvent lets it press the focused button).
QPushButton* MakeButton(const QString& text, QWidget* parent) {
    auto* button = new QPushButton(text, parent);
    button->setAutoDefault(false);
    button->setDefault(false);
    return button;
}

bool IsEnterKey(const QKeyEvent& event) {
    return event.key() == Qt::Key_Return || event.key() == Qt::Key_Enter;
}

QString QuitText() {
    return QObject::tr("&Quit");
}

QString AbortText() {
    return QObject::tr("&Abort");
}

}  // namespace

MainDialog::MainDialog(MainDialogServices dialogServices, QWidget* parent)
    : QDialog(parent), services(std::move(dialogServices)), job(services.jobHooks) {
    setWindowTitle(tr("Wordgleaner"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    setWindowIcon(ApplicationIcon());
    BuildControls();
    ConfigurePathFields();
    OfferAboutCommand();
    RestoreRemembered();

    pollTimer.setSingleShot(true);
    pollTimer.setInterval(PollIntervalMs);
    connect(&pollTimer, &QTimer::timeout, this, &MainDialog::PollJob);
}

void MainDialog::BuildControls() {
    // Created in the order of the window's controls, which is also the tab order.
    auto* layout = new QGridLayout(this);
    layout->setColumnStretch(0, 1);
    int row = 0;
    std::size_t fieldIndex = 0;
    auto addField = [&](const QString& label, const char* name) {
        auto* field = new PathBrowseControl(this);
        field->setObjectName(name);
        field->setMinimumWidth(FieldMinimumWidth);
        auto* caption = new QLabel(label, this);
        caption->setBuddy(field);
        pathLabels[fieldIndex++] = caption;
        layout->addWidget(caption, row++, 0);
        layout->addWidget(field, row++, 0);
        return field;
    };
    auto addBar = [&](const QString& label, const char* name) {
        auto* bar = new PercentProgressBar(this);
        bar->setObjectName(name);
        layout->addWidget(new QLabel(label, this), row++, 0);
        layout->addWidget(bar, row++, 0);
        return bar;
    };

    referenceOriginalField =
        addField(tr("&Reference tra file in original language"), "referenceOriginalField");
    referenceTranslatedField = addField(
        tr("Reference tra file in &destination language (translated)"), "referenceTranslatedField");
    furtherReferences = new ReferencePairList(services.messages, services.chooser, this);
    furtherReferences->setObjectName("furtherReferences");
    // The one part that gains from a taller window.
    layout->addWidget(furtherReferences, row, 0);
    layout->setRowStretch(row++, 1);
    modDirectoryField =
        addField(tr("Directory of &mod tra files in original language"), "modDirectoryField");
    destinationDirectoryField =
        addField(tr("Directory of mod tra files in destination language (&empty)"),
                 "destinationDirectoryField");
    filesBar = addBar(tr("Files list progress"), "filesProgressBar");
    entriesBar = addBar(tr("File entries progress"), "entriesProgressBar");
    timeLabel = new QLabel(this);
    timeLabel->setObjectName("timeLabel");
    layout->addWidget(timeLabel, row++, 0);

    importButton = MakeButton(tr("&Import"), this);
    importButton->setObjectName("importButton");
    layout->addWidget(importButton, 1, 1);
    preferencesButton = MakeButton(tr("&Preferences..."), this);
    preferencesButton->setObjectName("preferencesButton");
    layout->addWidget(preferencesButton, 3, 1);
    quitButton = MakeButton(QuitText(), this);
    quitButton->setObjectName("quitButton");
    layout->addWidget(quitButton, row - 1, 1);
    AllowResizing(*layout);

    connect(importButton, &QPushButton::clicked, this, &MainDialog::StartRun);
    connect(preferencesButton, &QPushButton::clicked, this, &MainDialog::ChangeSettings);
    connect(quitButton, &QPushButton::clicked, this, &MainDialog::reject);
}

void MainDialog::ConfigurePathFields() {
    modDirectoryField->SetChooserTitle(
        tr("Select directory of mod tra files in original language"));
    destinationDirectoryField->SetChooserTitle(
        tr("Select directory of mod tra files in destination language"));

    for (auto* field : {modDirectoryField, destinationDirectoryField}) {
        field->SetMode(field->GetMode() | PathBrowseControl::ModeFolder);
    }
    destinationDirectoryField->SetFolderFlags(DestinationFolderFlags);
    ShowReferenceKind();
    LetPathsBeTyped();

    if (services.chooser) {
        for (auto* field : {referenceOriginalField, referenceTranslatedField, modDirectoryField,
                            destinationDirectoryField}) {
            field->SetChooser(services.chooser);
        }
    }
}

// The two reference fields, their labels and their choosers take tra files,
// or folders of them once the user has chosen reference folders.
void MainDialog::ShowReferenceKind() {
    SetReferenceFieldKind(*referenceOriginalField, referenceFolders);
    SetReferenceFieldKind(*referenceTranslatedField, referenceFolders);
    furtherReferences->SetFoldersFirst(referenceFolders);
    if (referenceFolders) {
        pathLabels[0]->setText(tr("&Reference folder of tra files in original language"));
        pathLabels[1]->setText(
            tr("Reference folder of tra files in &destination language (translated)"));
        referenceOriginalField->SetChooserTitle(tr("Select reference folder in original language"));
        referenceTranslatedField->SetChooserTitle(
            tr("Select reference folder in destination language"));
    } else {
        pathLabels[0]->setText(tr("&Reference tra file in original language"));
        pathLabels[1]->setText(tr("Reference tra file in &destination language (translated)"));
        referenceOriginalField->SetChooserTitle(
            tr("Select reference tra file in original language"));
        referenceTranslatedField->SetChooserTitle(
            tr("Select reference tra file in destination language"));
    }
}

// Paths can be typed, pasted and dropped as well as chosen; one that names
// nothing is marked before Import is pressed.
void MainDialog::LetPathsBeTyped() {
    for (auto* field : PathFields()) {
        field->ModifyMode(0, PathBrowseControl::ModeEditable);
        field->SetExistenceCheck(true);
    }
}

std::array<PathBrowseControl*, 4> MainDialog::PathFields() const {
    return {referenceOriginalField, referenceTranslatedField, modDirectoryField,
            destinationDirectoryField};
}

// The fields and bars take the width the user gives the window.
void MainDialog::AllowResizing(QGridLayout& layout) {
    layout.setSizeConstraint(QLayout::SetDefaultConstraint);
    setSizeGripEnabled(true);
}

void MainDialog::OfferAboutCommand() {
    const QString itemText = tr("&About Wordgleaner...");
    if (AppendAboutToSystemMenu(*this, itemText)) {
        return;
    }
    auto* about = new QAction(itemText, this);
    about->setObjectName("aboutAction");
    about->setShortcut(QKeySequence(Qt::Key_F1));
    connect(about, &QAction::triggered, this, &MainDialog::ShowAbout);
    addAction(about);
    setContextMenuPolicy(Qt::ActionsContextMenu);
}

void MainDialog::SetInputsEnabled(bool enabled) {
    for (QWidget* input : std::initializer_list<QWidget*>{
             referenceOriginalField, referenceTranslatedField, modDirectoryField,
             destinationDirectoryField, furtherReferences, importButton, preferencesButton}) {
        input->setEnabled(enabled);
    }
}

void MainDialog::StartRun() {
    if (jobRunning) {
        return;
    }
    const QString modDirectory = modDirectoryField->GetPath();
    const QString destinationDirectory = destinationDirectoryField->GetPath();
    if (!PathsFilledIn()) {
        return;
    }
    ReferencePairs references = ReferencesToSearch();
    if (!ReferencesAccepted(references) ||
        !DestinationAccepted(
            {references, ToLocalText(modDirectory), ToLocalText(destinationDirectory), {}})) {
        return;
    }

    RememberPaths();
    runStart = std::chrono::steady_clock::now();
    SetInputsEnabled(false);
    quitButton->setText(AbortText());
    pollTimer.start();
    jobRunning = true;
    if (!job.Start(std::move(references), ToLocalText(modDirectory),
                   ToLocalText(destinationDirectory), settings)) {
        // Nothing would ever end this run: give the window back at once.
        pollTimer.stop();
        jobRunning = false;
        services.messages.Show(this, MessageIcon::Error, FailureCaption,
                               tr("Could not start the recovery: no worker thread available"));
        SetInputsEnabled(true);
        quitButton->setText(QuitText());
    }
}

void MainDialog::PollJob() {
    pollTimer.stop();
    if (!jobRunning) {
        return;
    }
    const ProgressSnapshot progress = job.Snapshot();
    ShowProgress(progress);
    if (progress.Ended()) {
        ShowEnd(progress);
        return;
    }
    pollTimer.start();
}

// An empty field is named and given the focus, so the user knows what to fill in.
bool MainDialog::PathsFilledIn() {
    const auto fields = PathFields();
    std::vector<LabelledPath> labelled;
    for (std::size_t index = 0; index < fields.size(); ++index) {
        labelled.push_back({PlainLabelText(pathLabels[index]->text().toStdString()),
                            ToLocalText(fields[index]->GetPath())});
    }
    const std::optional<std::size_t> empty = FirstEmptyField(labelled);
    if (!empty) {
        return true;
    }
    fields[*empty]->Edit()->setFocus(Qt::OtherFocusReason);
    services.messages.Show(this, MessageIcon::None, FailureCaption,
                           QString::fromStdString(EmptyFieldText(labelled[*empty].label)));
    return false;
}

// The two fields first, then the further pairs in the order shown.
ReferencePairs MainDialog::ReferencesToSearch() const {
    ReferencePairs references = {{ToLocalText(referenceOriginalField->GetPath()),
                                  ToLocalText(referenceTranslatedField->GetPath())}};
    for (const StoredReferencePair& pair : furtherReferences->Pairs()) {
        references.push_back({ToLocalText(pair.original), ToLocalText(pair.translated)});
    }
    return references;
}

// A pair of a file and a folder, two files where folders were chosen, or a
// further pair whose side has gone from the disk never starts a run.
bool MainDialog::ReferencesAccepted(const ReferencePairs& references) {
    for (std::size_t index = 0; index < references.size(); ++index) {
        const std::string problem = index == 0
                                        ? MainReferencePairProblem(references[0], referenceFolders)
                                        : FurtherReferencePairProblem(references[index]);
        if (!problem.empty()) {
            services.messages.Show(this, MessageIcon::Error, FailureCaption,
                                   FromLocalText(problem));
            return false;
        }
    }
    return true;
}

// The bars read as a person would say it; the run's own texts stay for the
// report and the command line.
void MainDialog::ShowProgress(const ProgressSnapshot& progress) {
    filesBar->SetPos(progress.filePercent);
    filesBar->SetText(FromLocalText(ReadableFilesText(progress)));
    entriesBar->SetPos(progress.entryPercent);
    entriesBar->SetText(FromLocalText(ReadableEntriesText(progress)));
    const auto elapsed = std::chrono::duration_cast<std::chrono::seconds>(
        std::chrono::steady_clock::now() - runStart);
    timeLabel->setText(FromLocalText(ReadableTimeText(elapsed, progress)));
}

// A destination the run cannot write into is told at once; one whose files
// the run would replace (the mod folder, a reference's folder) only with the
// user's consent.
bool MainDialog::DestinationAccepted(const JobInputs& inputs) {
    const DestinationCheck check = CheckDestination(inputs);
    if (check.Refused()) {
        services.messages.Show(this, MessageIcon::Error, FailureCaption,
                               FromLocalText(check.message));
        return false;
    }
    if (check.NeedsConsent()) {
        return services.messages.Confirm(
            this, tr("Replace files?"),
            FromLocalText(check.message) + "\n\n" + tr("Recover into this folder anyway?"));
    }
    return true;
}

// What the box says and offers is decided once for every window.
void MainDialog::ShowEnd(const ProgressSnapshot& end) {
    const EndSummary summary = SummarizeEnd(end, job.Inputs());
    if (summary.actions.empty()) {
        services.messages.Show(this, summary.icon, tr(summary.caption.c_str()),
                               FromLocalText(summary.text));
    } else {
        QStringList buttons;
        for (const SummaryAction& action : summary.actions) {
            buttons << tr(action.label.c_str());
        }
        buttons << tr(CloseButtonText);
        const int chosen = services.messages.Ask(this, summary.icon, tr(summary.caption.c_str()),
                                                 FromLocalText(summary.text), buttons);
        if (chosen >= 0 && static_cast<std::size_t>(chosen) < summary.actions.size()) {
            Open(LocalFileUrl(summary.actions[static_cast<std::size_t>(chosen)].target));
        }
    }
    SetInputsEnabled(true);
    quitButton->setText(QuitText());
    jobRunning = false;
}

void MainDialog::Open(const QUrl& url) {
    const bool opened = services.openUrl ? services.openUrl(url) : QDesktopServices::openUrl(url);
    if (!opened) {
        services.messages.Show(this, MessageIcon::Warning, tr("Wordgleaner"),
                               tr("Could not open %1").arg(url.toLocalFile()));
    }
}

void MainDialog::ChangeSettings() {
    if (jobRunning) {
        return;
    }
    PreferencesDialog dialog(services.messages, this);
    dialog.SetMinLikeliness(settings.search.minLikeliness);
    dialog.SetVeryLikelyThreshold(settings.veryLikelyThreshold);
    dialog.SetLineInfoOnly(settings.lineInfoOnly);
    dialog.SetCommentMode(settings.commentMode);
    dialog.SetGeneratePatch(settings.generatePatch);
    dialog.SetCompareSound(settings.search.compareSound);
    dialog.SetWriteReview(settings.writeReview);
    dialog.SetCodePage(settings.codePage);
    dialog.SetKeepGoing(settings.keepGoing);
    dialog.SetReferenceFolders(referenceFolders);
    if (dialog.exec() != QDialog::Accepted) {
        return;
    }
    referenceFolders = dialog.ReferenceFolders();
    ShowReferenceKind();
    settings.search.minLikeliness = dialog.MinLikeliness();
    settings.veryLikelyThreshold = dialog.VeryLikelyThreshold();
    settings.lineInfoOnly = dialog.LineInfoOnly();
    settings.commentMode = dialog.CommentMode();
    settings.generatePatch = dialog.GeneratePatch();
    settings.search.compareSound = dialog.CompareSound();
    settings.writeReview = dialog.WriteReview();
    settings.codePage = dialog.CodePage();
    CopyFailureSettings(dialog);
    RememberSettings();
}

void MainDialog::CopyFailureSettings(const PreferencesDialog& dialog) {
    settings.keepGoing = dialog.KeepGoing();
}

void MainDialog::ShowAbout() {
    AboutDialog dialog(services.version, this);
    dialog.exec();
}

void MainDialog::reject() {
    if (jobRunning) {
        job.RequestAbort();
        return;
    }
    QDialog::reject();
}

void MainDialog::RestoreRemembered() {
    if (!services.store) {
        return;
    }
    referenceFolders = ReadReferenceFolders(*services.store);
    ShowReferenceKind();
    furtherReferences->SetPairs(ReadFurtherReferences(*services.store));
    const StoredPaths paths = ReadPaths(*services.store);
    referenceOriginalField->SetPath(paths.referenceOriginal);
    referenceTranslatedField->SetPath(paths.referenceTranslated);
    modDirectoryField->SetPath(paths.modDirectory);
    destinationDirectoryField->SetPath(paths.destinationDirectory);
    settings = ReadOptions(*services.store);
    const QSize size = ReadWindowSize(*services.store);
    if (size.isValid()) {
        resize(size.expandedTo(minimumSizeHint()));
    }
}

void MainDialog::RememberPaths() {
    if (services.store) {
        WritePaths(*services.store,
                   {referenceOriginalField->GetPath(), referenceTranslatedField->GetPath(),
                    modDirectoryField->GetPath(), destinationDirectoryField->GetPath()});
        WriteFurtherReferences(*services.store, furtherReferences->Pairs());
    }
}

void MainDialog::RememberSettings() {
    if (services.store) {
        WriteOptions(*services.store, settings);
        WriteReferenceFolders(*services.store, referenceFolders);
    }
}

void MainDialog::done(int result) {
    RememberPaths();
    if (services.store) {
        WriteWindowSize(*services.store, size());
        services.store->sync();
    }
    QDialog::done(result);
}

// Enter on a focused button presses it, as Space does. An auto-default
// button would do the same, but the dialog would then make the first of them
// its default button, which Enter anywhere else would press.
void MainDialog::keyPressEvent(QKeyEvent* event) {
    auto* button = qobject_cast<QPushButton*>(focusWidget());
    if (IsEnterKey(*event) && button && button->isEnabled()) {
        button->click();
        return;
    }
    QDialog::keyPressEvent(event);
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
