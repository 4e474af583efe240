#pragma once

#include <QString>

// Removal of a member's folder tree.
//
// Threading: any thread; touches only the file system.
class FolderTree {
public:
    // Deletes the folder with everything inside, ignoring entries that cannot
    // be deleted. A symbolic link (the folder itself or any entry) is removed
    // as a link; what it points to is never touched.
    static void remove(const QString& folder);
};
