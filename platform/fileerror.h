#pragma once
// Error numbers of the runtime's file statements, as Err.Number reports them.
#include <string>

namespace vb {

enum class FileError {
    None = 0,
    Overflow = 6,
    OutOfMemory = 7,
    TypeMismatch = 13,
    BadFileNumber = 52,     // input from a reader that is not open
    FileNotFound = 53,
    IoError = 57,
    DiskFull = 61,
    InputPastEnd = 62,
    PermissionDenied = 70,
    PathFileAccess = 75,    // the name is a folder or no regular file
    PathNotFound = 76,
};

// The error for a failed system call's errno.
FileError FileErrorFromErrno(int err);

// Why a file could not be saved, in a few plain lowercase words for a
// message: "permission denied", "the disk is full"...
std::string Reason(FileError e);

} // namespace vb
