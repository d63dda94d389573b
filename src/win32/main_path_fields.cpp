#include "win32/main_path_fields.h"

#include "frontend/decisions_field.h"
#include "frontend/main_window_labels.h"
#include "win32/resource_ids.h"
#include "win32/window_text.h"

namespace wordgleaner {

namespace {

struct FieldIds {
    int edit;
    int label;
};

constexpr std::array<FieldIds, PathFieldCount> Ids = {{
    {IDC_REFERENCE_ORIGINAL, IDC_REFERENCE_ORIGINAL_LABEL},
    {IDC_REFERENCE_TRANSLATED, IDC_REFERENCE_TRANSLATED_LABEL},
    {IDC_MOD_DIRECTORY, IDC_MOD_DIRECTORY_LABEL},
    {IDC_DESTINATION_DIRECTORY, IDC_DESTINATION_DIRECTORY_LABEL},
}};

constexpr FieldIds DecisionsIds = {IDC_REVIEW_DECISIONS, IDC_REVIEW_DECISIONS_LABEL};

}  // namespace

std::array<PathBrowseField*, PathFieldCount + 1> MainPathFields::All() {
    return {&fields[0], &fields[1], &fields[2], &fields[3], &decisions};
}

std::array<const PathBrowseField*, PathFieldCount + 1> MainPathFields::All() const {
    return {&fields[0], &fields[1], &fields[2], &fields[3], &decisions};
}

void MainPathFields::Attach(HWND owner) {
    dialog = owner;
    for (std::size_t index = 0; index < PathFieldCount; ++index) {
        fields[index].Attach(dialog, Ids[index].edit);
    }
    decisions.Attach(dialog, DecisionsIds.edit);
    decisions.SetKind(false, DecisionsChooserTitle);
    decisions.SetFileFilter(ChooserFileFilter(DecisionsFileTypes()));
    SetItemText(dialog, DecisionsIds.label, DecisionsFieldLabel);
}

void MainPathFields::ShowKind(bool referenceFolders) {
    for (std::size_t index = 0; index < PathFieldCount; ++index) {
        const auto field = static_cast<PathField>(index);
        fields[index].SetKind(FieldWantsFolder(field, referenceFolders),
                              ChooserTitle(field, referenceFolders));
        SetItemText(dialog, Ids[index].label, FieldLabel(field, referenceFolders));
        fields[index].CheckSign();  // a file is no folder, and a folder no file
    }
}

RunPaths MainPathFields::Paths() const {
    RunPaths paths;
    for (std::size_t index = 0; index < PathFieldCount; ++index) {
        paths.texts[index] = fields[index].Path();
    }
    return paths;
}

void MainPathFields::SetPaths(const RunPaths& paths) {
    for (std::size_t index = 0; index < PathFieldCount; ++index) {
        fields[index].SetPath(paths.texts[index]);
    }
}

void MainPathFields::Enable(bool enabled) {
    for (PathBrowseField* field : All()) {
        field->Enable(enabled);
    }
}

void MainPathFields::Focus(PathField field) {
    SetFocus(GetDlgItem(dialog, fields[static_cast<std::size_t>(field)].EditId()));
}

void MainPathFields::Mark(PathField field, const std::string& problem) {
    fields[static_cast<std::size_t>(field)].ShowSign(problem);
}

void MainPathFields::PlaceSigns() const {
    for (const PathBrowseField* field : All()) {
        field->PlaceSign();
    }
}

bool MainPathFields::HandleCommand(int id, int code) {
    for (PathBrowseField* field : All()) {
        if (id == field->ButtonId()) {
            field->Browse();
            return true;
        }
        if (id == field->EditId() && code == EN_CHANGE) {
            field->CheckSign();
            return true;
        }
        if (id == field->EditId() && code == EN_KILLFOCUS) {
            field->MarkProblem();
            return true;
        }
    }
    return false;
}

void MainPathFields::DrawItem(const DRAWITEMSTRUCT& item) const {
    for (const PathBrowseField* field : All()) {
        if (static_cast<int>(item.CtlID) == field->ButtonId()) {
            field->DrawButton(item);
        }
    }
}

std::string MainPathFields::Drop(const DroppedPaths& dropped) {
    for (PathBrowseField* field : All()) {
        if (field->Covers(dropped.point)) {
            std::string problem = DropProblemText(dropped.paths, field->FolderMode());
            if (problem.empty()) {
                field->SetPath(dropped.paths.front());
            }
            return problem;
        }
    }
    return {};
}

void MainPathFields::AddAnchors(std::vector<Anchor>& anchors) const {
    std::vector<FieldIds> every(Ids.begin(), Ids.end());
    every.push_back(DecisionsIds);
    for (const FieldIds& ids : every) {
        anchors.push_back({ids.edit, true});
        anchors.push_back({ids.label, true});
        anchors.push_back({ids.edit + IDC_BROWSE_OFFSET, false, true});
    }
}

}  // namespace wordgleaner
