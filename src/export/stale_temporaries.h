#pragma once

#include <string>

namespace kelvora {

// The temporary files of saves in progress: ".kelvora-<16 hex digits>.tmp"
// beside the target, each locked (flock) by the save that writes it.

// A new temporary name in folder (a path without the trailing slash).
std::string TemporaryNameIn(const std::string& folder);

// Whether a file name (without its folder) is one TemporaryNameIn makes.
bool IsTemporaryName(const std::string& name);

// Removes the temporaries in folder that were left by saves no longer
// running: regular files of this user that no one holds locked. Where the
// file system has no locks, only those untouched for a day go.
void RemoveStaleTemporaries(const std::string& folder);

}  // namespace kelvora
