#include "main_dialog.h"

#include <QAction>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>

#include <utility>

#include "about_dialog.h"
#include "controls/path_browse_control.h"
#include "controls/percent_progress_bar.h"
#include "job/destination_check.h"
#include "job/run_end.h"
#include "message_boxes.h"
#include "preferences_dialog.h"
#include "system_menu.h"
#include "ui_resources.h"

namespace wordgleaner {

namespace {

// The path fields and the bars are wide enough for a long path at a glance.
constexpr int FieldMinimumWidth = 440;

constexpr unsigned DestinationFolderFlags =
    FolderReturnOnlyFileSystemDirs | FolderEditBox | FolderNewDialogStyle;

const QString FailureCaption = QStringLiteral("Failure");

// Paths and texts are 8-bit in the system's local encoding inside the job.
std::string ToJobText(const QString& text) {
    return text.toLocal8Bit().toStdString();
}
QString FromJobText(const std::string& text) {
    return QString::fromLocal8Bit(text);
}

QPushButton* MakeButton(const QString& text, QWidget* parent) {
    auto* button = new QPushButton(text, parent);
    button->setAutoDefault(false);  // Enter must never start or quit anything
    button->setDefault(false);
    return button;
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

    pollTimer.setSingleShot(true);
    pollTimer.setInterval(PollIntervalMs);
    connect(&pollTimer, &QTimer::timeout, this, &MainDialog::PollJob);
}

void MainDialog::BuildControls() {
    // Created in the order of the window's controls, which is also the tab order.
    auto makeLabel = [this](const QString& text) { return new QLabel(text, this); };
    auto makeField = [this](const char* name) {
        auto* field = new PathBrowseControl(this);
        field->setObjectName(name);
        field->setMinimumWidth(FieldMinimumWidth);
        return field;
    };
    auto makeBar = [this](const char* name) {
        auto* bar = new PercentProgressBar(this);
        bar->setObjectName(name);
        return bar;
    };

    auto* layout = new QGridLayout(this);
    layout->setColumnStretch(0, 1);
    layout->addWidget(makeLabel(tr("Reference tra file in original language")), 0, 0);
    referenceOriginalField = makeField("referenceOriginalField");
    layout->addWidget(referenceOriginalField, 1, 0);
    layout->addWidget(makeLabel(tr("Reference tra file in destination language (translated)")), 2,
                      0);
    referenceTranslatedField = makeField("referenceTranslatedField");
    layout->addWidget(referenceTranslatedField, 3, 0);
    layout->addWidget(makeLabel(tr("Directory of mod tra files in original language")), 4, 0);
    modDirectoryField = makeField("modDirectoryField");
    layout->addWidget(modDirectoryField, 5, 0);
    layout->addWidget(makeLabel(tr("Directory of mod tra files in destination language (empty)")),
                      6, 0);
    destinationDirectoryField = makeField("destinationDirectoryField");
    layout->addWidget(destinationDirectoryField, 7, 0);
    layout->addWidget(makeLabel(tr("Files list progress")), 8, 0);
    filesBar = makeBar("filesProgressBar");
    layout->addWidget(filesBar, 9, 0);
    layout->addWidget(makeLabel(tr("File entries progress")), 10, 0);
    entriesBar = makeBar("entriesProgressBar");
    layout->addWidget(entriesBar, 11, 0);

    importButton = MakeButton(tr("Import"), this);
    importButton->setObjectName("importButton");
    layout->addWidget(importButton, 1, 1);
    preferencesButton = MakeButton(tr("Preferences..."), this);
    preferencesButton->setObjectName("preferencesButton");
    layout->addWidget(preferencesButton, 3, 1);
    quitButton = MakeButton(tr("Quit"), this);
    quitButton->setObjectName("quitButton");
    layout->addWidget(quitButton, 11, 1);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(importButton, &QPushButton::clicked, this, &MainDialog::StartRun);
    connect(preferencesButton, &QPushButton::clicked, this, &MainDialog::ChangeSettings);
    connect(quitButton, &QPushButton::clicked, this, &MainDialog::reject);
}

void MainDialog::ConfigurePathFields() {
    referenceOriginalField->SetChooserTitle(tr("Select reference tra file in original language"));
    referenceTranslatedField->SetChooserTitle(
        tr("Select reference tra file in destination language"));
    modDirectoryField->SetChooserTitle(
        tr("Select directory of mod tra files in original language"));
    destinationDirectoryField->SetChooserTitle(
        tr("Select directory of mod tra files in destination language"));

    for (auto* field : {modDirectoryField, destinationDirectoryField}) {
        field->SetMode(field->GetMode() | PathBrowseControl::ModeFolder);
    }
    destinationDirectoryField->SetFolderFlags(DestinationFolderFlags);

    if (services.chooser) {
        for (auto* field : {referenceOriginalField, referenceTranslatedField, modDirectoryField,
                            destinationDirectoryField}) {
            field->SetChooser(services.chooser);
        }
    }
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
             destinationDirectoryField, importButton, preferencesButton}) {
        input->setEnabled(enabled);
    }
}

void MainDialog::StartRun() {
    if (jobRunning) {
        return;
    }
    const QString referenceOriginal = referenceOriginalField->GetPath();
    const QString referenceTranslated = referenceTranslatedField->GetPath();
    const QString modDirectory = modDirectoryField->GetPath();
    const QString destinationDirectory = destinationDirectoryField->GetPath();
    if (referenceOriginal.isEmpty() || referenceTranslated.isEmpty() || modDirectory.isEmpty() ||
        destinationDirectory.isEmpty()) {
        services.messages.Show(this, MessageIcon::None, FailureCaption,
                               tr("You must provide a name for each file or directory"));
        return;
    }

    if (!DestinationAccepted({ToJobText(referenceOriginal),
                              ToJobText(referenceTranslated),
                              ToJobText(modDirectory),
                              ToJobText(destinationDirectory),
                              {}})) {
        return;
    }

    SetInputsEnabled(false);
    quitButton->setText(tr("Abort"));
    pollTimer.start();
    jobRunning = true;
    if (!job.Start(ToJobText(referenceOriginal), ToJobText(referenceTranslated),
                   ToJobText(modDirectory), ToJobText(destinationDirectory), settings)) {
        // Nothing would ever end this run: give the window back at once.
        pollTimer.stop();
        jobRunning = false;
        services.messages.Show(this, MessageIcon::Error, FailureCaption,
                               tr("Could not start the recovery: no worker thread available"));
        SetInputsEnabled(true);
        quitButton->setText(tr("Quit"));
    }
}

void MainDialog::PollJob() {
    pollTimer.stop();
    if (!jobRunning) {
        return;
    }
    const ProgressSnapshot progress = job.Snapshot();
    filesBar->SetPos(progress.filePercent);
    filesBar->SetText(FromJobText(progress.progressText));
    entriesBar->SetPos(progress.entryPercent);
    entriesBar->SetText(FromJobText(progress.entryText));
    if (progress.Ended()) {
        ShowEnd(progress);
        return;
    }
    pollTimer.start();
}

// A destination the run cannot write into is told at once; one whose files
// the run would replace (the mod folder, a reference's folder) only with the
// user's consent.
bool MainDialog::DestinationAccepted(const JobInputs& inputs) {
    const DestinationCheck check = CheckDestination(inputs);
    if (check.Refused()) {
        services.messages.Show(this, MessageIcon::Error, FailureCaption,
                               FromJobText(check.message));
        return false;
    }
    if (check.NeedsConsent()) {
        return services.messages.Ask(
            this, tr("Replace files?"),
            FromJobText(check.message) + "\n\n" + tr("Recover into this folder anyway?"));
    }
    return true;
}

// A stopped run did not do all it was asked to: it is never told as a
// success, and the user learns what it left on disk.
void MainDialog::ShowFailureOrStop(const ProgressSnapshot& end) {
    if (EndOfRun(end) == RunEnd::Stopped) {
        services.messages.Show(this, MessageIcon::Warning, tr("Stopped"),
                               FromJobText(StoppedText(end)));
    } else {
        services.messages.Show(this, MessageIcon::Error, FailureCaption,
                               FromJobText(end.progressText));
    }
}

void MainDialog::ShowEnd(const ProgressSnapshot& end) {
    if (EndOfRun(end) != RunEnd::Succeeded) {
        ShowFailureOrStop(end);
    } else {
        services.messages.Show(this, MessageIcon::None, tr("Success"), tr("Updated the tra files"));
    }
    SetInputsEnabled(true);
    quitButton->setText(tr("Quit"));
    jobRunning = false;
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
    dialog.SetKeepGoing(settings.keepGoing);
    if (dialog.exec() != QDialog::Accepted) {
        return;
    }
    settings.search.minLikeliness = dialog.MinLikeliness();
    settings.veryLikelyThreshold = dialog.VeryLikelyThreshold();
    settings.lineInfoOnly = dialog.LineInfoOnly();
    settings.commentMode = dialog.CommentMode();
    settings.generatePatch = dialog.GeneratePatch();
    settings.search.compareSound = dialog.CompareSound();
    CopyFailureSettings(dialog);
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

bool MainDialog::nativeEvent(const QByteArray& eventType, void* message, qintptr* result) {
    if (IsAboutSystemCommand(eventType, message)) {
        ShowAbout();
        *result = 0;
        return true;
    }
    return QDialog::nativeEvent(eventType, message, result);
}

}  // namespace wordgleaner
