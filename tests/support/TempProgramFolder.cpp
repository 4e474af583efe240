#include "TempProgramFolder.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>

#include <gtest/gtest.h>

namespace {

void copyRecursively(const QString& from, const QString& to) {
    const QFileInfo info(from);
    if (info.isDir()) {
        QDir().mkpath(to);
        const auto entries = QDir(from).entryList(QDir::AllEntries | QDir::NoDotAndDotDot);
        for (const QString& name : entries)
            copyRecursively(from + '/' + name, to + '/' + name);
    } else {
        QFile::remove(to);
        QFile::copy(from, to);
        QFile::setPermissions(to, info.permissions() | QFile::WriteOwner);
    }
}

} // namespace

TempProgramFolder::TempProgramFolder() {
    EXPECT_TRUE(m_dir.isValid());
}

TempProgramFolder::TempProgramFolder(std::initializer_list<const char*> entries) {
    EXPECT_TRUE(m_dir.isValid());
    for (const char* e : entries)
        copy(QString::fromUtf8(e));
}

void TempProgramFolder::copy(const QString& entry) const {
    const QString from = builtProgramFolder() + entry;
    EXPECT_TRUE(QFileInfo::exists(from)) << from.toStdString();
    copyRecursively(from, path() + entry);
}

void TempProgramFolder::write(const QString& relative, const QByteArray& bytes) const {
    const QString target = path() + relative;
    QDir().mkpath(QFileInfo(target).absolutePath());
    QFile f(target);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate)) << target.toStdString();
    f.write(bytes);
}

QByteArray TempProgramFolder::read(const QString& relative) const {
    QFile f(path() + relative);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

QString TempProgramFolder::builtProgramFolder() {
    return QString::fromUtf8(VELATRIX_PROGRAM_DIR "/");
}

QString TempProgramFolder::sourceFolder() {
    return QString::fromUtf8(VELATRIX_SOURCE_DIR "/");
}

QString TempProgramFolder::artifactsFolder() {
    const QString folder = QString::fromUtf8(VELATRIX_ARTIFACTS_DIR "/");
    QDir().mkpath(folder);
    return folder;
}
