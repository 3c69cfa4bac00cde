#pragma once

#include <QString>

namespace qarn {

// Syncs a folder's entries to the disk (fsync of the folder), so that a file created or renamed
// in it is still there after a power cut. False with the system's reason when that fails; a file
// system that cannot sync folders at all counts as synced.
bool SyncFolderToDisk(const QString& folder, QString& reason);

}  // namespace qarn
