#include "FolderTree.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

void FolderTree::remove(const QString& folder) {
    const QFileInfo info(folder);
    if (info.isSymLink()) {
        QFile::remove(folder);
        return;
    }
    if (info.isDir()) {
        // removeRecursively() unlinks symbolic links inside without following them.
        QDir(folder).removeRecursively();
    }
}
