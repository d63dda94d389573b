#pragma once

#include <array>

class QWidget;

namespace wordgleaner {

class PathBrowseControl;

// The path fields the controls demo shows: one per look the control can
// take, and one disabled.
struct FieldSample {
    const char* label;
    unsigned mode;
    const char* path;
    bool enabled = true;
};

extern const std::array<FieldSample, 6> FieldSamples;

PathBrowseControl* MakeSampleField(const FieldSample& sample, QWidget* parent);

// A group of every sample, under an "Enabled" box that enables and disables
// them all but the one whose row says "Disabled".
QWidget* PathFieldGallery(QWidget* parent);

}  // namespace wordgleaner
