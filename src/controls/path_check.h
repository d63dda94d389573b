#pragma once

#include <QString>

class QMimeData;

namespace wordgleaner {

// What the path field tells the user about a path before anything uses it.
// Each answer is empty when the path is fine, or a short sentence saying what
// is wrong with it.

// A typed path: an empty one is not judged (the owner says which fields must
// be filled); otherwise it must name an existing folder in folder mode and an
// existing file otherwise.
QString PathProblem(const QString& path, bool folder);

// Dragged data: exactly one local path of the right kind (a folder for a
// folder field, a file for a file field). On success the path is stored in
// *path.
QString DropProblem(const QMimeData& data, bool folder, QString* path);

}  // namespace wordgleaner
