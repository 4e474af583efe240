#pragma once

#include <QString>
#include <QTemporaryDir>

#include <initializer_list>

// A throw-away program folder for one test. It starts empty; copy() brings in
// entries of the built program folder ("Language", "icons", "PreSetting", the
// executables), so a test never writes into the real one.
class TempProgramFolder {
public:
    TempProgramFolder();
    explicit TempProgramFolder(std::initializer_list<const char*> entries);

    // Folder path ending with "/".
    QString path() const { return m_dir.path() + '/'; }
    QString file(const QString& relative) const { return path() + relative; }

    // Copies an entry (file or folder, recursively) of the built program folder.
    void copy(const QString& entry) const;

    // Writes bytes to a file inside the folder, creating its parent folders.
    void write(const QString& relative, const QByteArray& bytes) const;
    QByteArray read(const QString& relative) const;

    // The built program folder, the source tree and the folder for pictures a
    // test leaves for people to look at (screenshots), as the build set them;
    // each ends with "/".
    static QString builtProgramFolder();
    static QString sourceFolder();
    static QString artifactsFolder();

private:
    QTemporaryDir m_dir;
};
