#pragma once
// Replacing a file whole: the new content goes to a temporary file beside it,
// is flushed to disk and then renamed over the old one, so a failure at any
// point leaves either the old file or the new one, never a mix or an empty
// file. Where that rename would not leave the file as it was (its owner,
// group, mode, access list and other extended attributes, other hard links)
// or the folder may not be written, the file is written in place instead,
// growing before any old byte changes, and where the filesystem copies what
// it overwrites, only when it has room for the whole new file: whoever may
// write the file may save it, on any filesystem.
#include "platform/fileerror.h"

#include <string>

namespace vb {

// On failure the old file keeps its content and no temporary file is left
// behind, short of a write in place that stops part-way (a disk that fails,
// that another program fills, or whose free space counts room the file may
// not use); it still cuts off what it wrote past the old end, where the
// filesystem lets it. A full disk is DiskFull.
// A missing folder or an empty path is PathNotFound, a folder, pipe or other
// special file in the file's place PathFileAccess (it is never replaced), an
// existing file we may not write PermissionDenied. A symbolic link stays: the
// file it leads to is replaced, or created when it does not exist yet.
FileError ReplaceFile(const std::string& path, const std::string& bytes);

} // namespace vb
