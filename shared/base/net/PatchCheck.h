// Start-up check of the files that the updater delivered beside the installed
// ones: an installed file is replaced by its fresh copy when the two differ.
#pragma once

// Compares the installed file (target) with the delivered one (source) and
// replaces the target when they differ.  The new bytes go to a temporary file
// beside the target that is renamed over it, so a failed or short write never
// leaves a damaged installed file.  Returns false only when a replacement was
// needed and failed; a file that cannot be opened means there is nothing to
// do, and the result is true.
bool CheckFilesForPatch(const char* target, const char* source);
