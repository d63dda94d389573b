#include "controls/path_check.h"

#include <QDir>
#include <QFileInfo>
#include <QMimeData>
#include <QUrl>

#include <string>
#include <vector>

#include "frontend/path_fields.h"

namespace wordgleaner {

// The texts are shared with the other windows; paths are 8-bit local text
// there, as in the job.
QString PathProblem(const QString& path, bool folder) {
    return QString::fromLocal8Bit(PathProblemText(path.toLocal8Bit().toStdString(), folder));
}

QString DropProblem(const QMimeData& data, bool folder, QString* path) {
    const QList<QUrl> urls = data.hasUrls() ? data.urls() : QList<QUrl>();
    std::vector<std::string> dropped;
    for (const QUrl& url : urls) {
        if (!url.isLocalFile()) {
            dropped.clear();
            break;
        }
        dropped.push_back(QDir::toNativeSeparators(url.toLocalFile()).toLocal8Bit().toStdString());
    }
    const std::string problem = DropProblemText(dropped, folder);
    if (!problem.empty()) {
        return QString::fromLocal8Bit(problem);
    }
    if (path) {
        *path = QString::fromLocal8Bit(dropped.front());
    }
    return {};
}

}  // namespace wordgleaner
