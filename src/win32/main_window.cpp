#include "win32/main_window.h"

#include <commctrl.h>
#include <shellapi.h>

#include <vector>

#include "frontend/end_summary.h"
#include "frontend/path_fields.h"
#include "job/destination_check.h"
#include "frontend/readable_progress.h"
#include "win32/about_window.h"
#include "win32/ini_store.h"
#include "win32/message_boxes.h"
#include "win32/resource_ids.h"
#include "win32/window_text.h"

namespace wordgleaner {

namespace {

constexpr UINT_PTR PollTimerId = 2;
constexpr UINT AboutCommand = 0x0010;
constexpr char FailureCaption[] = "Failure";

struct FieldSetup {
    int id;
    int labelId;
    const char* chooserTitle;
    bool folder;
};

// In the order of PathField.
constexpr std::array<FieldSetup, PathFieldCount> FieldSetups = {{
    {IDC_REFERENCE_ORIGINAL, IDC_REFERENCE_ORIGINAL_LABEL,
     "Select reference tra file in original language", false},
    {IDC_REFERENCE_TRANSLATED, IDC_REFERENCE_TRANSLATED_LABEL,
     "Select reference tra file in destination language", false},
    {IDC_MOD_DIRECTORY, IDC_MOD_DIRECTORY_LABEL,
     "Select directory of mod tra files in original language", true},
    {IDC_DESTINATION_DIRECTORY, IDC_DESTINATION_DIRECTORY_LABEL,
     "Select directory of mod tra files in destination language", true},
}};

// The reference labels as files and as folders of files.
constexpr std::array<const char*, 2> ReferenceFileLabels = {
    "&Reference tra file in original language",
    "Reference tra file in &destination language (translated)"};
constexpr std::array<const char*, 2> ReferenceFolderLabels = {
    "&Reference directory of tra files in original language",
    "Reference directory of tra files in &destination language (translated)"};

std::string FullPath(const std::string& path) {
    std::vector<char> full(32768);
    const DWORD length =
        GetFullPathNameA(path.c_str(), static_cast<DWORD>(full.size()), full.data(), nullptr);
    return length > 0 && length < full.size() ? std::string(full.data(), length) : path;
}

}  // namespace

MainWindow::MainWindow(MainWindowServices windowServices)
    : DialogWindow(IDD_MAIN), services(std::move(windowServices)), job(services.jobHooks) {}

bool MainWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_INITDIALOG:
            Initialize();
            return true;
        case WM_COMMAND:
            return HandleCommand(LOWORD(wParam), HIWORD(wParam));
        case WM_TIMER:
            Poll();
            return true;
        case WM_SYSCOMMAND:
            if ((wParam & 0xFFF0) != AboutCommand) {
                return false;
            }
            AboutWindow().RunModal(Handle());
            return true;
        case WM_SIZE:
            layout.Apply();
            return true;
        case WM_GETMINMAXINFO:
            reinterpret_cast<MINMAXINFO*>(lParam)->ptMinTrackSize = layout.MinimumTrackSize();
            return true;
        case WM_DRAWITEM:
            DrawItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
            return true;
        case WM_DROPFILES:
            DropFiles(reinterpret_cast<HDROP>(wParam));
            return true;
        case WM_DPICHANGED: {
            layout.Rescale(LOWORD(wParam));
            const RECT& suggested = *reinterpret_cast<const RECT*>(lParam);
            SetWindowPos(Handle(), nullptr, suggested.left, suggested.top,
                         suggested.right - suggested.left, suggested.bottom - suggested.top,
                         SWP_NOZORDER | SWP_NOACTIVATE);
            return true;
        }
        default:
            return false;
    }
}

bool MainWindow::HandleCommand(int id, int code) {
    switch (id) {
        case IDC_IMPORT:
            StartRun();
            return true;
        case IDC_PREFERENCES:
            ChangePreferences();
            return true;
        case IDCANCEL:
            Cancel();
            return true;
        default:
            break;
    }
    for (PathBrowseField& field : fields) {
        if (id == field.ButtonId()) {
            field.Browse();
            return true;
        }
        if (id == field.EditId() && code == EN_KILLFOCUS) {
            field.MarkProblem();
            return true;
        }
    }
    return false;
}

void MainWindow::Initialize() {
    AttachControls();
    CaptureLayout();
    OfferAboutCommand();
    SetIcons();
    Restore();
    ShowReferenceKind();
    SetQuitText();
}

void MainWindow::AttachControls() {
    for (std::size_t index = 0; index < PathFieldCount; ++index) {
        const FieldSetup& setup = FieldSetups[index];
        fields[index].Attach(Handle(), setup.id, setup.chooserTitle, setup.folder);
    }
    filesBar.Attach(Item(IDC_FILES_BAR));
    entriesBar.Attach(Item(IDC_ENTRIES_BAR));
}

// The fields, their labels and the bars take the width; the buttons keep to
// the right edge, Quit to the bottom right corner.
void MainWindow::CaptureLayout() {
    std::vector<Anchor> anchors;
    for (const FieldSetup& setup : FieldSetups) {
        anchors.push_back({setup.id, true});
        anchors.push_back({setup.labelId, true});
        anchors.push_back({setup.id + IDC_BROWSE_OFFSET, false, true});
    }
    for (int id : {IDC_FILES_BAR, IDC_ENTRIES_BAR, IDC_FILES_BAR_LABEL, IDC_ENTRIES_BAR_LABEL,
                   IDC_TIME_LABEL}) {
        anchors.push_back({id, true});
    }
    anchors.push_back({IDC_IMPORT, false, true});
    anchors.push_back({IDC_PREFERENCES, false, true});
    anchors.push_back({IDCANCEL, false, true, true});
    layout.Capture(Handle(), std::move(anchors));
}

void MainWindow::OfferAboutCommand() {
    HMENU menu = GetSystemMenu(Handle(), FALSE);
    char text[128] = {};
    if (menu && LoadStringA(GetModuleHandleA(nullptr), IDS_ABOUT_ITEM, text, sizeof text) > 0) {
        AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
        AppendMenuA(menu, MF_STRING, AboutCommand, text);
    }
}

void MainWindow::SetIcons() {
    HINSTANCE instance = GetModuleHandleA(nullptr);
    for (auto [which, metric] : {std::pair{ICON_BIG, SM_CXICON}, {ICON_SMALL, SM_CXSMICON}}) {
        const int size = GetSystemMetrics(metric);
        auto* icon = static_cast<HICON>(LoadImageA(instance, MAKEINTRESOURCEA(IDI_WORDGLEANER),
                                                   IMAGE_ICON, size, size, LR_SHARED));
        SendMessageA(Handle(), WM_SETICON, which, reinterpret_cast<LPARAM>(icon));
    }
}

// With reference folders the two reference fields name folders of tra
// files, matched by name, instead of two files.
void MainWindow::ShowReferenceKind() {
    const bool folders = preferences.referenceFolders;
    const auto& labels = folders ? ReferenceFolderLabels : ReferenceFileLabels;
    for (std::size_t index = 0; index < labels.size(); ++index) {
        fields[index].SetFolderMode(folders);
        SetItemText(Handle(), FieldSetups[index].labelId, labels[index]);
    }
}

RunPaths MainWindow::CurrentPaths() const {
    RunPaths paths;
    for (std::size_t index = 0; index < PathFieldCount; ++index) {
        paths.texts[index] = fields[index].Path();
    }
    return paths;
}

void MainWindow::StartRun() {
    if (jobRunning) {
        return;
    }
    const RunPaths paths = CurrentPaths();
    if (!PathsAccepted(paths)) {
        return;
    }
    // The fields' pair is searched first, then the listed ones in order.
    ReferencePairs references = {
        {paths[PathField::ReferenceOriginal], paths[PathField::ReferenceTranslated]}};
    references.insert(references.end(), preferences.furtherPairs.begin(),
                      preferences.furtherPairs.end());
    const JobInputs inputs = {std::move(references), paths[PathField::ModDirectory],
                              paths[PathField::DestinationDirectory], preferences.options};
    if (!DestinationAccepted(inputs)) {
        return;
    }
    Remember();
    BeginRunning();
    if (!job.Start(inputs.references, inputs.modDirectory, inputs.destinationDirectory,
                   inputs.options)) {
        // Nothing would ever end this run: give the window back at once.
        KillTimer(Handle(), PollTimerId);
        jobRunning = false;
        services.messages.Show(Handle(), MessageIcon::Error, FailureCaption,
                               "Could not start the recovery: no worker thread available");
        SetInputsEnabled(true);
        SetQuitText();
    }
}

// The empty field gets the focus, so the user can fill it at once. A path
// that names nothing was marked when the field lost the focus; the run
// fails on it at once with the job's own words.
bool MainWindow::PathsAccepted(const RunPaths& paths) {
    std::vector<LabelledPath> labelled;
    for (std::size_t index = 0; index < PathFieldCount; ++index) {
        labelled.push_back(
            {PlainLabelText(ItemText(Handle(), FieldSetups[index].labelId)), paths.texts[index]});
    }
    const std::optional<std::size_t> empty = FirstEmptyField(labelled);
    if (!empty) {
        return true;
    }
    services.messages.Show(Handle(), MessageIcon::None, FailureCaption,
                           EmptyFieldText(labelled[*empty].label));
    SetFocus(Item(fields[*empty].EditId()));
    return false;
}

// A destination the run cannot write into is told at once; one whose files
// the run would replace (the mod folder, a reference's folder) only with the
// user's consent.
bool MainWindow::DestinationAccepted(const JobInputs& inputs) {
    const DestinationCheck check = CheckDestination(inputs);
    if (check.Refused()) {
        services.messages.Show(Handle(), MessageIcon::Error, FailureCaption, check.message);
        return false;
    }
    if (check.NeedsConsent()) {
        return services.messages.Confirm(Handle(), "Replace files?",
                                         check.message + "\n\nRecover into this folder anyway?");
    }
    return true;
}

void MainWindow::BeginRunning() {
    runStart = std::chrono::steady_clock::now();
    jobRunning = true;
    SetInputsEnabled(false);
    SetQuitText();
    SetTimer(Handle(), PollTimerId, PollIntervalMs, nullptr);
}

void MainWindow::Poll() {
    KillTimer(Handle(), PollTimerId);
    if (!jobRunning) {
        return;
    }
    const ProgressSnapshot progress = job.Snapshot();
    ShowProgress(progress);
    if (progress.Ended()) {
        ShowEnd(progress);
        return;
    }
    SetTimer(Handle(), PollTimerId, PollIntervalMs, nullptr);
}

// The bars read as a person would say it; the run's own texts stay for the
// report and the command line.
void MainWindow::ShowProgress(const ProgressSnapshot& progress) {
    SendMessageA(Item(IDC_FILES_BAR), PBM_SETPOS, static_cast<WPARAM>(progress.filePercent), 0);
    SetItemText(Handle(), IDC_FILES_BAR, ReadableFilesText(progress));
    SendMessageA(Item(IDC_ENTRIES_BAR), PBM_SETPOS, static_cast<WPARAM>(progress.entryPercent), 0);
    SetItemText(Handle(), IDC_ENTRIES_BAR, ReadableEntriesText(progress));
    const auto elapsed = std::chrono::duration_cast<std::chrono::seconds>(
        std::chrono::steady_clock::now() - runStart);
    SetItemText(Handle(), IDC_TIME_LABEL, ReadableTimeText(elapsed, progress));
}

void MainWindow::ShowEnd(const ProgressSnapshot& end) {
    const EndSummary summary = SummarizeEnd(end, job.Inputs());
    if (summary.actions.empty()) {
        services.messages.Show(Handle(), summary.icon, summary.caption, summary.text);
    } else {
        std::vector<std::string> buttons;
        for (const SummaryAction& action : summary.actions) {
            buttons.push_back(action.label);
        }
        buttons.push_back(CloseButtonText);
        const int chosen =
            services.messages.Ask(Handle(), summary.icon, summary.caption, summary.text, buttons);
        if (chosen >= 0 && static_cast<std::size_t>(chosen) < summary.actions.size()) {
            OpenTarget(summary.actions[static_cast<std::size_t>(chosen)].target);
        }
    }
    jobRunning = false;
    SetInputsEnabled(true);
    SetQuitText();
}

void MainWindow::OpenTarget(const std::string& target) {
    const std::string full = FullPath(target);
    const bool opened =
        services.open ? services.open(full)
                      : reinterpret_cast<INT_PTR>(ShellExecuteA(
                            Handle(), "open", full.c_str(), nullptr, nullptr, SW_SHOWNORMAL)) > 32;
    if (!opened) {
        services.messages.Show(Handle(), MessageIcon::Warning, "Wordgleaner",
                               "Could not open " + full);
    }
}

void MainWindow::ChangePreferences() {
    if (jobRunning) {
        return;
    }
    PreferencesWindow dialog(services.messages, preferences);
    if (dialog.RunModal(Handle()) != IDOK) {
        return;
    }
    preferences = dialog.Values();
    ShowReferenceKind();
    Remember();
}

// Quit, Escape and the close box: while a run goes on they only ask the job
// to stop, and the window stays until the end has been shown.
void MainWindow::Cancel() {
    if (jobRunning) {
        job.RequestAbort();
        return;
    }
    Remember();
    Finish(IDCANCEL);
}

void MainWindow::SetInputsEnabled(bool enabled) {
    for (PathBrowseField& field : fields) {
        field.Enable(enabled);
    }
    EnableWindow(Item(IDC_IMPORT), enabled);
    EnableWindow(Item(IDC_PREFERENCES), enabled);
}

void MainWindow::SetQuitText() {
    SetItemText(Handle(), IDCANCEL, jobRunning ? "&Abort" : "&Quit");
}

// A file or folder dropped from Explorer goes into the field it was dropped
// on, when it is one path of the field's kind.
void MainWindow::DropFiles(HDROP drop) {
    POINT point = {};
    DragQueryPoint(drop, &point);
    std::vector<std::string> dropped;
    const UINT count = DragQueryFileA(drop, 0xFFFFFFFF, nullptr, 0);
    for (UINT index = 0; index < count; ++index) {
        std::vector<char> name(DragQueryFileA(drop, index, nullptr, 0) + 1);
        DragQueryFileA(drop, index, name.data(), static_cast<UINT>(name.size()));
        dropped.emplace_back(name.data());
    }
    DragFinish(drop);
    if (jobRunning) {
        return;
    }
    for (PathBrowseField& field : fields) {
        if (field.Covers(point)) {
            const std::string problem = DropProblemText(dropped, field.FolderMode());
            if (!problem.empty()) {
                services.messages.Show(Handle(), MessageIcon::Warning, "Wordgleaner", problem);
                return;
            }
            field.SetPath(dropped.front());
            return;
        }
    }
}

void MainWindow::DrawItem(const DRAWITEMSTRUCT& item) const {
    for (const PathBrowseField& field : fields) {
        if (static_cast<int>(item.CtlID) == field.ButtonId()) {
            field.DrawButton(item);
        }
    }
}

void MainWindow::Restore() {
    if (services.settingsFile.empty()) {
        return;
    }
    const SettingsValues values = ReadIniFile(services.settingsFile);
    const RememberedPaths paths = ReadRememberedPaths(values);
    fields[0].SetPath(paths.referenceOriginal);
    fields[1].SetPath(paths.referenceTranslated);
    fields[2].SetPath(paths.modDirectory);
    fields[3].SetPath(paths.destinationDirectory);
    preferences.options = ReadRememberedOptions(values);
    preferences.referenceFolders = ReadRememberedReferenceFolders(values);
    preferences.furtherPairs = ReadRememberedFurtherPairs(values);
    const int width = ReadRememberedLength(values, settings_keys::WindowWidth);
    const int height = ReadRememberedLength(values, settings_keys::WindowHeight);
    if (width > 0 && height > 0) {
        const POINT minimum = layout.MinimumTrackSize();
        SetWindowPos(Handle(), nullptr, 0, 0, std::max<int>(width, minimum.x),
                     std::max<int>(height, minimum.y), SWP_NOMOVE | SWP_NOZORDER);
    }
}

void MainWindow::Remember() const {
    if (services.settingsFile.empty()) {
        return;
    }
    SettingsValues values;
    const RunPaths paths = CurrentPaths();
    WriteRememberedPaths({paths.texts[0], paths.texts[1], paths.texts[2], paths.texts[3]}, values);
    WriteRememberedOptions(preferences.options, values);
    WriteRememberedReferenceFolders(preferences.referenceFolders, values);
    WriteRememberedFurtherPairs(preferences.furtherPairs, values);
    RECT window;
    GetWindowRect(Handle(), &window);
    WriteRememberedLength(window.right - window.left, settings_keys::WindowWidth, values);
    WriteRememberedLength(window.bottom - window.top, settings_keys::WindowHeight, values);
    WriteIniFile(services.settingsFile, values);
}

}  // namespace wordgleaner
