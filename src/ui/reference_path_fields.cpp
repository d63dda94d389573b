#include "reference_path_fields.h"

#include <QString>

#include "controls/path_browse_control.h"

namespace wordgleaner {

const QString TraFileFilter = QStringLiteral("Tra files|*.tra;*.TRA;*.Tra|All files|*||");

void SetReferenceFieldKind(PathBrowseControl& field, bool folders) {
    field.ModifyMode(PathBrowseControl::ModeFolder,
                     folders ? unsigned{PathBrowseControl::ModeFolder} : 0U);
    field.SetFilter(TraFileFilter);
}

}  // namespace wordgleaner
