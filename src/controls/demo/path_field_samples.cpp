#include "path_field_samples.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QGroupBox>

#include "controls/path_browse_control.h"

namespace wordgleaner {

const std::array<FieldSample, 6> FieldSamples = {{
    {"Glyph 1, classic (the main window's look)", PathBrowseControl::DefaultMode,
     "/home/translator/reference/dialog.tra"},
    {"Glyph 2, flat, editable",
     PathBrowseControl::ModeGlyph | PathBrowseControl::ModeGlyph2 | PathBrowseControl::ModeFlat |
         PathBrowseControl::ModeEditable,
     "/home/translator/mod/tra/english"},
    {"Glyph 3, button at the left",
     PathBrowseControl::ModeGlyph | PathBrowseControl::ModeGlyph3 |
         PathBrowseControl::ModeButtonLeft,
     "/home/translator/recovered"},
    {"Caption instead of a glyph", PathBrowseControl::ModeEditable, ""},
    {"Folder mode", PathBrowseControl::DefaultMode | PathBrowseControl::ModeFolder,
     "/home/translator/mod"},
    {"Disabled", PathBrowseControl::DefaultMode, "/home/translator/reference/dialog.tra", false},
}};

PathBrowseControl* MakeSampleField(const FieldSample& sample, QWidget* parent) {
    auto* field = new PathBrowseControl(parent, sample.mode);
    field->SetCaption(QStringLiteral("Browse..."));
    field->SetPath(QString::fromUtf8(sample.path));
    field->SetChooserTitle(QString::fromUtf8(sample.label));
    field->setEnabled(sample.enabled);
    return field;
}

QWidget* PathFieldGallery(QWidget* parent) {
    auto* box = new QGroupBox(QStringLiteral("Path fields"), parent);
    auto* layout = new QFormLayout(box);
    auto* enabled = new QCheckBox(QStringLiteral("Enabled"), box);
    enabled->setChecked(true);
    layout->addRow(enabled);
    // The "Disabled" row stays disabled whatever the box says.
    for (const FieldSample& sample : FieldSamples) {
        auto* field = MakeSampleField(sample, box);
        field->SetFilter(QStringLiteral("Tra files (*.tra)|*.tra;*.TRA|All Files (*.*)|*.*||"));
        if (sample.enabled) {
            QObject::connect(enabled, &QCheckBox::toggled, field, &QWidget::setEnabled);
        }
        layout->addRow(QString::fromUtf8(sample.label), field);
    }
    return box;
}

}  // namespace wordgleaner
