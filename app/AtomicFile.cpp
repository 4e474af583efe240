#include "AtomicFile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

#include <cerrno>
#include <cstdio>
#include <cstring>

#include <unistd.h>

namespace {

std::function<void()>& beforeRenameHook() {
    static std::function<void()> hook;
    return hook;
}

const QRegularExpression& temporaryPattern() {
    static const QRegularExpression pattern(QStringLiteral("^\\..+\\.velatrix-new-\\d+$"));
    return pattern;
}

bool setError(QString* error, const QString& text) {
    if (error)
        *error = text;
    return false;
}

} // namespace

bool AtomicFile::write(const QString& path, const QByteArray& bytes, QString* error,
                       bool syncToDisk) {
    const QFileInfo target(path);
    const QString temporary =
        target.absolutePath() + QStringLiteral("/.") + target.fileName() +
        QStringLiteral(".velatrix-new-%1").arg(QCoreApplication::applicationPid());
    QFile out(temporary);
    if (!out.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return setError(error, QStringLiteral("%1: %2").arg(path, out.errorString()));
    bool ok = out.write(bytes) == bytes.size() && out.flush() &&
              (!syncToDisk || ::fsync(out.handle()) == 0);
    const QString why = out.errorString();
    out.close();
    if (ok && target.exists())
        ok = QFile::setPermissions(temporary, target.permissions());
    if (!ok) {
        QFile::remove(temporary);
        return setError(error, QStringLiteral("%1: %2").arg(path, why));
    }
    if (beforeRenameHook())
        beforeRenameHook()();
    // rename(2) replaces the target in one step; QFile::rename would refuse an
    // existing target.
    if (::rename(QFile::encodeName(temporary).constData(), QFile::encodeName(path).constData()) !=
        0) {
        const QString reason = QString::fromLocal8Bit(strerror(errno));
        QFile::remove(temporary);
        return setError(error, QStringLiteral("%1: %2").arg(path, reason));
    }
    return true;
}

bool AtomicFile::isTemporaryName(const QString& fileName) {
    return temporaryPattern().match(fileName).hasMatch();
}

int AtomicFile::removeStale(const QString& folder) {
    int removed = 0;
    const QStringList names =
        QDir(folder).entryList(QDir::Files | QDir::Hidden | QDir::System | QDir::NoSymLinks);
    for (const QString& name : names) {
        if (isTemporaryName(name) && QFile::remove(folder + '/' + name))
            ++removed;
    }
    return removed;
}

void AtomicFile::setBeforeRenameHookForTesting(std::function<void()> hook) {
    beforeRenameHook() = std::move(hook);
}
