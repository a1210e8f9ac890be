#include "platform/atomicfile.h"

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstdint>
#include <fcntl.h>
#include <linux/magic.h>
#include <sys/stat.h>
#include <sys/vfs.h>
#include <sys/xattr.h>
#include <unistd.h>
#include <utility>
#include <vector>

namespace vb {

namespace {

std::string FolderOf(const std::string& path)
{
    const auto slash = path.find_last_of('/');
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

// The file a replacement must take the place of: path itself, or the file a
// symbolic link (or a chain of them) leads to, which need not exist yet.
FileError FollowLinks(const std::string& path, std::string& target)
{
    target = path;
    // As many links as the system itself follows before giving up.
    for (int hops = 0; hops < 40; ++hops) {
        struct stat info {};
        if (::lstat(target.c_str(), &info) != 0 || !S_ISLNK(info.st_mode))
            return FileError::None;
        std::string next(static_cast<std::size_t>(info.st_size > 0 ? info.st_size : 255) + 1, '\0');
        for (;;) {
            const ssize_t n = ::readlink(target.c_str(), next.data(), next.size());
            if (n < 0)
                return FileErrorFromErrno(errno);
            if (static_cast<std::size_t>(n) < next.size()) {
                next.resize(static_cast<std::size_t>(n));
                break;
            }
            next.resize(next.size() * 2);
        }
        if (next.empty())
            return FileError::PathNotFound;
        target = next.front() == '/' ? next : FolderOf(target) + "/" + next;
    }
    return FileError::PathFileAccess;
}

// Opens a new temporary file next to path; -1 with errno set on failure.
int CreateTemporary(const std::string& path, mode_t mode, std::string& tempPath)
{
    static std::atomic<unsigned> counter{0};
    for (int attempt = 0; attempt < 100; ++attempt) {
        tempPath = path + ".~" + std::to_string(::getpid()) + "-" + std::to_string(counter++) + ".tmp";
        const int fd = ::open(tempPath.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, mode);
        if (fd >= 0 || errno != EEXIST)
            return fd;
    }
    return -1;
}

using Attributes = std::vector<std::pair<std::string, std::string>>;

// The value of the file's extended attribute name, or the list of its
// attributes' names where name is null.
bool ReadAttribute(const char* file, const char* name, std::string& out)
{
    const auto read = [&](char* buf, std::size_t size) {
        return name != nullptr ? ::getxattr(file, name, buf, size) : ::listxattr(file, buf, size);
    };
    // Another process may add to it between asking its size and reading it.
    for (;;) {
        const ssize_t size = read(nullptr, 0);
        if (size < 0)
            return false;
        out.assign(static_cast<std::size_t>(size), '\0');
        const ssize_t n = read(out.data(), out.size());
        if (n >= 0) {
            out.resize(static_cast<std::size_t>(n));
            return true;
        }
        if (errno != ERANGE)
            return false;
    }
}

// The file's extended attributes, its access list among them, sorted by
// name; none on a filesystem that keeps none. False where they could not be
// read.
bool ReadAttributes(const std::string& file, Attributes& out)
{
    std::string names;
    if (!ReadAttribute(file.c_str(), nullptr, names))
        return errno == ENOTSUP;
    for (std::size_t at = 0; at < names.size();) {
        const std::size_t end = std::min(names.find('\0', at), names.size());
        const std::string name = names.substr(at, end - at);
        at = end + 1;
        std::string value;
        if (!ReadAttribute(file.c_str(), name.c_str(), value))
            return false;
        out.emplace_back(name, std::move(value));
    }
    std::sort(out.begin(), out.end());
    return true;
}

// Gives the new file the old one's owner, group and mode. False where that is
// not allowed (the old file is someone else's, or of a group we are not in),
// where the new file would not carry the old one's access list or other
// extended attributes, or where the old file has other names that a rename
// would leave behind.
bool TakeOver(int fd, const std::string& tempPath, const std::string& path, const struct stat& old)
{
    struct stat now {};
    Attributes before, after;
    return old.st_nlink == 1 && ::fchown(fd, old.st_uid, old.st_gid) == 0
        && ::fchmod(fd, old.st_mode & 07777) == 0 && ::fstat(fd, &now) == 0
        && now.st_uid == old.st_uid && now.st_gid == old.st_gid
        && (now.st_mode & 07777) == (old.st_mode & 07777) && ReadAttributes(path, before)
        && ReadAttributes(tempPath, after) && before == after;
}

// Writes all of bytes at offset.
bool WriteAll(int fd, const char* bytes, std::size_t size, off_t offset)
{
    std::size_t done = 0;
    while (done < size) {
        const ssize_t n = ::pwrite(fd, bytes + done, size - done, offset + static_cast<off_t>(done));
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        done += static_cast<std::size_t>(n);
    }
    return true;
}

// Failure after the temporary file exists: remove it, keep the cause.
FileError Abandon(int fd, const std::string& tempPath)
{
    const int err = errno;
    if (fd >= 0)
        ::close(fd);
    ::unlink(tempPath.c_str());
    return FileErrorFromErrno(err);
}

// True unless the file's filesystem never overwrites a block in place and
// has no room for size new bytes: there an overwrite takes new blocks while
// the old ones stay, and would stop halfway on a nearly full disk. A
// filesystem that tells no sizes at all is not judged by them.
bool RoomToRewrite(int fd, std::size_t size)
{
    constexpr std::uint32_t kBcachefs = 0xca451a4e, kZfs = 0x2fc12fc1;
    struct statfs fs {};
    if (::fstatfs(fd, &fs) != 0 || fs.f_blocks == 0)
        return true;
    const auto type = static_cast<std::uint32_t>(fs.f_type);
    if (type != BTRFS_SUPER_MAGIC && type != kBcachefs && type != kZfs && type != NILFS_SUPER_MAGIC)
        return true;
    const auto block = static_cast<std::size_t>(fs.f_frsize > 0 ? fs.f_frsize : fs.f_bsize);
    // Every block of the new content, and the old last block written twice:
    // once by the tail, once by the head.
    return block == 0 || fs.f_bavail >= size / block + 2;
}

// Writes over the file itself, which keeps its owner, group, mode, access
// list and other names. What goes past the old end is written and flushed
// first, so that a full disk fails before any old byte changes. Unlike
// reserving the space, this works on every filesystem; where overwriting
// needs room of its own, that room is asked for first. Whatever step fails,
// what was written past the old end is cut off again, where the filesystem
// lets it: where the overwrite failed at once (a block shared with a copy,
// with no room for a new one), the file is as it was.
FileError WriteInPlace(const std::string& path, const std::string& bytes)
{
    const int fd = ::open(path.c_str(), O_WRONLY | O_NONBLOCK | O_NOFOLLOW | O_CLOEXEC);
    if (fd < 0)
        return FileErrorFromErrno(errno);
    struct stat info {};
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        ::close(fd);
        return FileError::PathFileAccess;
    }
    if (!RoomToRewrite(fd, bytes.size())) {
        ::close(fd);
        return FileError::DiskFull;
    }
    const std::size_t kept = std::min(bytes.size(), static_cast<std::size_t>(info.st_size));
    const bool grows = kept < bytes.size();
    const auto write = [&] {
        if (grows && (!WriteAll(fd, bytes.data() + kept, bytes.size() - kept, info.st_size) || ::fsync(fd) != 0))
            return false;
        return WriteAll(fd, bytes.data(), kept, 0) && ::ftruncate(fd, static_cast<off_t>(bytes.size())) == 0
            && ::fsync(fd) == 0;
    };
    if (!write()) {
        const int err = errno;
        // Only a file that grew is cut back: one that shrank did so in the
        // last step but the flush, and holds the whole new content.
        if (grows && ::ftruncate(fd, info.st_size) == 0)
            ::fsync(fd);
        ::close(fd);
        return FileErrorFromErrno(err);
    }
    return ::close(fd) == 0 ? FileError::None : FileErrorFromErrno(errno);
}

} // namespace

FileError ReplaceFile(const std::string& linkPath, const std::string& bytes)
{
    if (linkPath.empty())
        return FileError::PathNotFound;
    std::string path;
    if (const FileError e = FollowLinks(linkPath, path); e != FileError::None)
        return e;
    struct stat old {};
    const bool exists = ::stat(path.c_str(), &old) == 0;
    if (exists) {
        if (!S_ISREG(old.st_mode))
            return FileError::PathFileAccess;
        // Renaming would get past a write-protected file; the runtime refuses.
        if (::access(path.c_str(), W_OK) != 0)
            return FileErrorFromErrno(errno);
    }

    // Whoever may write the file may save it: where the folder may not be
    // written, or the new file could not be left as the old one was, the
    // file is written in place instead of replaced.
    std::string tempPath;
    // A new file gets the permissions (after umask) of a plainly created one;
    // a replacement stays private until it has the old file's.
    const int fd = CreateTemporary(path, exists ? 0600 : 0666, tempPath);
    if (fd < 0) {
        if (exists && (errno == EACCES || errno == EPERM))
            return WriteInPlace(path, bytes);
        const FileError e = FileErrorFromErrno(errno);
        return e == FileError::FileNotFound ? FileError::PathNotFound : e;
    }
    if (exists && !TakeOver(fd, tempPath, path, old)) {
        ::close(fd);
        ::unlink(tempPath.c_str());
        return WriteInPlace(path, bytes);
    }
    if (!WriteAll(fd, bytes.data(), bytes.size(), 0) || ::fsync(fd) != 0)
        return Abandon(fd, tempPath);
    if (::close(fd) != 0)
        return Abandon(-1, tempPath);
    if (::rename(tempPath.c_str(), path.c_str()) != 0)
        return Abandon(-1, tempPath);

    // Makes the rename itself durable; the new content is in place already,
    // so a failure here is not one of the write.
    const int dir = ::open(FolderOf(path).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dir >= 0) {
        ::fsync(dir);
        ::close(dir);
    }
    return FileError::None;
}

} // namespace vb
