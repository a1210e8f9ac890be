#include "platform/fileerror.h"

#include <cerrno>
#include <string>

namespace vb {

FileError FileErrorFromErrno(int err)
{
    switch (err) {
    case ENOENT: return FileError::FileNotFound;
    case ENOTDIR: return FileError::PathNotFound;
    case EACCES:
    case EPERM:
    case EROFS:
    case ETXTBSY: return FileError::PermissionDenied;
    case EISDIR: return FileError::PathFileAccess;
    case ENOMEM: return FileError::OutOfMemory;
    // A file grown past the size it may have is, to the player, a full disk.
    case ENOSPC:
    case EDQUOT:
    case EFBIG: return FileError::DiskFull;
    default: return FileError::IoError;
    }
}

std::string Reason(FileError e)
{
    switch (e) {
    case FileError::PermissionDenied: return "permission denied";
    case FileError::FileNotFound: return "the file cannot be found";
    case FileError::DiskFull: return "the disk is full";
    case FileError::PathNotFound: return "its folder cannot be found";
    case FileError::PathFileAccess: return "something that is not a plain file is in its place";
    case FileError::OutOfMemory: return "out of memory";
    case FileError::IoError: return "a disk error";
    default: return "error " + std::to_string(static_cast<int>(e));
    }
}

} // namespace vb
