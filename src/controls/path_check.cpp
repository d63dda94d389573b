#include "controls/path_check.h"

#include <QDir>
#include <QFileInfo>
#include <QMimeData>
#include <QObject>
#include <QUrl>

namespace wordgleaner {

QString PathProblem(const QString& path, bool folder) {
    if (path.isEmpty()) {
        return {};
    }
    const QFileInfo info(path);
    if (!info.exists()) {
        return folder ? QObject::tr("There is no folder %1").arg(path)
                      : QObject::tr("There is no file %1").arg(path);
    }
    if (folder && !info.isDir()) {
        return QObject::tr("%1 is a file, not a folder").arg(path);
    }
    if (!folder && info.isDir()) {
        return QObject::tr("%1 is a folder, not a file").arg(path);
    }
    return {};
}

QString DropProblem(const QMimeData& data, bool folder, QString* path) {
    const QString expected =
        folder ? QObject::tr("Drop one folder here") : QObject::tr("Drop one file here");
    const QList<QUrl> urls = data.hasUrls() ? data.urls() : QList<QUrl>();
    if (urls.size() != 1 || !urls.constFirst().isLocalFile()) {
        return expected;
    }
    const QString dropped = QDir::toNativeSeparators(urls.constFirst().toLocalFile());
    const QString problem = PathProblem(dropped, folder);
    if (!problem.isEmpty()) {
        return expected + QStringLiteral(": ") + problem;
    }
    if (path) {
        *path = dropped;
    }
    return {};
}

}  // namespace wordgleaner
