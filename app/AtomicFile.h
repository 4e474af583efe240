#pragma once

#include <QByteArray>
#include <QString>

#include <functional>

// Replaces a file whole or not at all: the new bytes go to a temporary file
// beside the target (".<name>.velatrix-new-<pid>"), reach the disk, and are then
// renamed over the target. A process killed part way leaves the old file whole
// and at most a temporary file, which removeStale() clears at the next start.
// An existing target keeps its permissions.
//
// Threading: write() belongs to the GUI thread (files are written there only);
// removeStale() runs at start-up before any write.
class AtomicFile {
public:
    // False, with *error naming the file, when the target could not be replaced;
    // the old file is then unchanged and no temporary file stays behind.
    // syncToDisk false skips the wait for the disk (fsync) for files that are
    // only copies of data kept elsewhere: a kill still leaves the old file or
    // the new one, only a power cut may lose the new one.
    static bool write(const QString& path, const QByteArray& bytes, QString* error = nullptr,
                      bool syncToDisk = true);

    // Deletes temporary files of interrupted writes directly inside folder.
    // Returns how many were removed.
    static int removeStale(const QString& folder);

    // True for the name of one of this class's temporary files.
    static bool isTemporaryName(const QString& fileName);

    // Test seam: runs once the temporary file is complete, before the rename
    // (a kill test stops the process here).
    static void setBeforeRenameHookForTesting(std::function<void()> hook);
};
