#pragma once

#include <QString>

// File steps that survive a killed program or a power cut: synced contents, synced folder entries
// and replacement by rename, so a reader always finds either the old file or the whole new one.
namespace DurableFiles {
bool syncFile(const QString& path);
bool syncFolder(const QString& folder);
// Renames over the target and syncs the folder so the new name is on disk when this returns.
bool replace(const QString& from, const QString& to);
// Copies to a temporary name beside the target, syncs it and renames it into place.
bool copy(const QString& from, const QString& to);
// Removes the file when present; true when it is gone afterwards.
bool removeIfPresent(const QString& path);
} // namespace DurableFiles
