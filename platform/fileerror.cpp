#include "platform/fileerror.h"

#include <cerrno>

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
    default: return FileError::IoError;
    }
}

} // namespace vb
