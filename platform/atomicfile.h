#pragma once
// Replacing a file whole: the new content goes to a temporary file beside it,
// is flushed to disk and then renamed over the old one, so a failure at any
// point leaves either the old file or the new one, never a mix or an empty
// file.
#include "platform/fileerror.h"

#include <string>

namespace vb {

// On failure the old file is untouched and no temporary file is left behind.
// A missing folder or an empty path is PathNotFound, a folder, pipe or other
// special file in the file's place PathFileAccess (it is never replaced), an
// existing file we may not write PermissionDenied. A symbolic link stays: the
// file it leads to is replaced, or created when it does not exist yet.
FileError ReplaceFile(const std::string& path, const std::string& bytes);

} // namespace vb
