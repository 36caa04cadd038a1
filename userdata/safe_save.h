// Saving a file so that it is always whole, as the user's data and its exports are saved.
//
// The new bytes go to a new file beside the target, named TARGET.saving-XXXXXXXX, which is
// flushed to the disk and then renamed over the target in one step; on POSIX the folder is
// flushed too, so that the rename itself survives a power cut. A process killed at any moment
// leaves the old file or the new one, never a mix; all it may leave besides is its
// TARGET.saving- file, which RemoveStaleSaves clears. A target that exists keeps its permissions
// (POSIX); a new one gets those that the process creates files with.
#pragma once

#include <string>
#include <string_view>

// Saves bytes as the file named path (a file name as platform/file_name.h holds it) in the
// existing folder of path. Throws CUserDataError (Cause::io, naming the file and the system's
// reason) when any step fails, and the new file is removed. A failure before the rename leaves
// the target as it was; on POSIX a failure to flush the folder after it is reported too, the
// new file then in place but perhaps not yet on the disk.
void SaveFileSafely(const std::string& path, std::string_view bytes);

// Removes the TARGET.saving- files beside path that killed saves left. Call it only where no
// other save of path can run at the same time (under the lock of a list file). A file that
// cannot be removed stays, without an error.
void RemoveStaleSaves(const std::string& path);
