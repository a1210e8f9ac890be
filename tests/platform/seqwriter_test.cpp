#include "platform/seqfile.h"
#include "platform/vbnum.h"
#include "tempfolder.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fcntl.h>
#include <grp.h>
#include <linux/fs.h>
#include <optional>
#include <sys/ioctl.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <sys/xattr.h>
#include <unistd.h>

namespace {

using vb::FileError;
using vb::SeqWriter;

class SeqWriterTest : public ::testing::Test {
protected:
    TempFolder folder;
    std::string path = folder.file("out.dat");
};

TEST_F(SeqWriterTest, SettingsRecordsTakeSixtyTwoBytes)
{
    SeqWriter w(path);
    const int16_t zero = 0;
    w.Write({int16_t{1}});
    w.Write({zero});
    w.Write({zero});
    w.Write({360.0f, 255.0f});
    w.Write({11415.0f, 8160.0f});
    w.Write({vb::Int(240.7)});
    w.Write({false});
    w.Write({zero});
    w.Write({zero});
    w.Write({zero});
    w.Write({false});
    ASSERT_EQ(w.Close(), FileError::None);
    const std::string expected =
        "1\r\n0\r\n0\r\n360,255\r\n11415,8160\r\n240\r\n#FALSE#\r\n0\r\n0\r\n0\r\n#FALSE#\r\n";
    EXPECT_EQ(expected.size(), 62u);
    EXPECT_EQ(ReadBytes(path), expected);
}

TEST_F(SeqWriterTest, NotesRecordIsOneQuotedString)
{
    const struct { const char* text; const char* bytes; } cases[] = {
        {"", "\"\"\r\n"},
        {"ab\r\ncd", "\"ab\r\ncd\"\r\n"},
        {"5 € ✓ ñ", "\"5 \x80 ? \xF1\"\r\n"},
    };
    for (const auto& c : cases) {
        SeqWriter w(path);
        w.Write({c.text});
        ASSERT_EQ(w.Close(), FileError::None);
        EXPECT_EQ(ReadBytes(path), c.bytes) << c.text;
    }
}

TEST_F(SeqWriterTest, ItemsOfAStatementAreSeparatedByCommas)
{
    SeqWriter w(path);
    w.Write({});
    w.Write({"a", -2.5, true, int16_t{-1}, 0.1f, std::string("b"), 70000});
    w.Close();
    EXPECT_EQ(ReadBytes(path), "\r\n\"a\",-2.5,#TRUE#,-1,0.1,\"b\",70000\r\n");
}

TEST_F(SeqWriterTest, AllWallMapIsTenThousandFiveHundredBytes)
{
    SeqWriter w(path);
    for (int k = 0; k < 2625; ++k)
        w.Write({int16_t{-1}});
    w.Close();
    EXPECT_EQ(ReadBytes(path).size(), 10500u);
}

TEST_F(SeqWriterTest, FileAppearsOnlyAtCloseAndOnlyOnce)
{
    WriteBytes(path, "old");
    {
        SeqWriter w(path);
        w.Write({1});
        EXPECT_EQ(ReadBytes(path), "old");
        EXPECT_EQ(w.Close(), FileError::None);
        EXPECT_EQ(w.Write({2}), FileError::BadFileNumber);
        EXPECT_EQ(w.Close(), FileError::None);
    }
    EXPECT_EQ(ReadBytes(path), "1\r\n");
}

TEST_F(SeqWriterTest, DestructorClosesAForgottenFile)
{
    {
        SeqWriter w(path);
        w.Write({"x"});
    }
    EXPECT_EQ(ReadBytes(path), "\"x\"\r\n");
}

TEST_F(SeqWriterTest, CreateEmptyReplacesAnyContent)
{
    WriteBytes(path, "something");
    EXPECT_EQ(SeqWriter::CreateEmpty(path), FileError::None);
    EXPECT_TRUE(std::filesystem::exists(path));
    EXPECT_EQ(std::filesystem::file_size(path), 0u);
    EXPECT_EQ(folder.entries(), std::vector<std::string>{"out.dat"});
}

TEST_F(SeqWriterTest, FolderInTheFilesPlaceIsRefusedAndKept)
{
    std::filesystem::create_directory(path);
    WriteBytes(path + "/inside", "keep");
    SeqWriter w(path);
    w.Write({1});
    EXPECT_EQ(w.Close(), FileError::PathFileAccess);
    EXPECT_EQ(ReadBytes(path + "/inside"), "keep");
    EXPECT_EQ(folder.entries(), std::vector<std::string>{"out.dat"});
}

// As a careful editor saves: the link stays and the file it leads to is
// replaced, or created when the link dangles.
TEST_F(SeqWriterTest, SavingThroughALinkReplacesTheFileItLeadsTo)
{
    std::filesystem::create_directory(folder.file("real"));
    const struct { const char* link; const char* to; const char* target; bool exists; } cases[] = {
        {"rel.dat", "real/a.dat", "real/a.dat", true},
        {"dangling.dat", "real/new.dat", "real/new.dat", false},
        {"chain.dat", "rel.dat", "real/a.dat", true},
    };
    WriteBytes(folder.file("real/a.dat"), "old");
    for (const auto& c : cases)
        std::filesystem::create_symlink(c.to, folder.file(c.link));
    std::filesystem::create_symlink(folder.file("real/b.dat"), folder.file("abs.dat"));
    for (const auto& c : cases) {
        EXPECT_EQ(std::filesystem::exists(folder.file(c.target)), c.exists) << c.link;
        SeqWriter w(folder.file(c.link));
        w.Write({c.link});
        EXPECT_EQ(w.Close(), FileError::None) << c.link;
        EXPECT_TRUE(std::filesystem::is_symlink(folder.file(c.link))) << c.link;
        EXPECT_EQ(ReadBytes(folder.file(c.target)), '"' + std::string(c.link) + "\"\r\n") << c.link;
    }
    EXPECT_EQ(SeqWriter::CreateEmpty(folder.file("abs.dat")), FileError::None);
    EXPECT_TRUE(std::filesystem::is_symlink(folder.file("abs.dat")));
    EXPECT_EQ(std::filesystem::file_size(folder.file("real/b.dat")), 0u);
    EXPECT_EQ(folder.entries().size(), 5u);

    std::filesystem::create_symlink("loop.dat", folder.file("loop.dat"));
    EXPECT_NE(SeqWriter::CreateEmpty(folder.file("loop.dat")), FileError::None);
    EXPECT_TRUE(std::filesystem::is_symlink(folder.file("loop.dat")));
}

// Neither a pipe nor a device nor an unknown folder is ever written.
TEST_F(SeqWriterTest, SpecialFilesAndAnEmptyPathAreRefused)
{
    ASSERT_EQ(::mkfifo(path.c_str(), 0644), 0);
    std::filesystem::create_symlink(path, folder.file("to-pipe.dat"));
    EXPECT_EQ(SeqWriter::CreateEmpty(path), FileError::PathFileAccess);
    EXPECT_EQ(SeqWriter::CreateEmpty(folder.file("to-pipe.dat")), FileError::PathFileAccess);
    EXPECT_TRUE(std::filesystem::is_fifo(path));
    EXPECT_EQ(SeqWriter::CreateEmpty("/dev/null"), FileError::PathFileAccess);
    EXPECT_EQ(SeqWriter::CreateEmpty(""), FileError::PathNotFound);
    EXPECT_EQ(folder.entries().size(), 2u);
}

TEST_F(SeqWriterTest, MissingFolderIsPathNotFound)
{
    SeqWriter w(folder.file("no/such.dat"));
    w.Write({1});
    EXPECT_EQ(w.Close(), FileError::PathNotFound);
}

// A write that fails halfway (here: the file size limit) must leave the old
// file whole and no temporary file behind.
TEST_F(SeqWriterTest, FailedWriteLeavesTheOldFileByteIdentical)
{
    const std::string old = "1\r\n0\r\n0\r\n360,255\r\n";
    WriteBytes(path, old);

    FileError result = FileError::None;
    {
        FullDisk full(8);
        SeqWriter w(path);
        w.Write({std::string(100, 'x')});
        result = w.Close();
    }

    EXPECT_EQ(result, FileError::DiskFull);
    EXPECT_EQ(ReadBytes(path), old);
    EXPECT_EQ(folder.entries(), std::vector<std::string>{"out.dat"});
}

// A save as an ordinary user, in a child that drops to that user and the
// given extra group, so that permissions bind although the tests run as root;
// on a disk that is full at fullAt bytes when asked. Nothing when the child
// could not drop to the user.
std::optional<FileError> SaveAs(uid_t user, gid_t group, std::optional<rlim_t> fullAt, const std::string& path,
                                const std::string& text)
{
    const pid_t pid = ::fork();
    if (pid == 0) {
        const gid_t groups[] = {static_cast<gid_t>(user), group};
        if (::setgroups(2, groups) != 0 || ::setresgid(user, user, user) != 0
            || ::setresuid(user, user, user) != 0)
            ::_exit(255);
        std::optional<FullDisk> full;
        if (fullAt)
            full.emplace(*fullAt);
        SeqWriter w(path);
        w.Write({text});
        ::_exit(static_cast<int>(w.Close()));
    }
    int status = 0;
    if (pid < 0 || ::waitpid(pid, &status, 0) != pid || !WIFEXITED(status) || WEXITSTATUS(status) == 255)
        return std::nullopt;
    return static_cast<FileError>(WEXITSTATUS(status));
}

// The file's access list as stored; empty when it has none.
std::string AccessList(const std::string& path)
{
    std::string list(256, '\0');
    const ssize_t n = ::getxattr(path.c_str(), "system.posix_acl_access", list.data(), list.size());
    list.resize(n > 0 ? static_cast<std::size_t>(n) : 0);
    return list;
}

// Makes copy share the blocks of file, where the filesystem can.
bool Reflink(const std::string& file, const std::string& copy)
{
    const int from = ::open(file.c_str(), O_RDONLY | O_CLOEXEC), to = ::creat(copy.c_str(), 0644);
    const bool cloned = ::ioctl(to, FICLONE, from) == 0;
    EXPECT_TRUE(cloned || errno == EOPNOTSUPP) << std::strerror(errno);
    ::close(from);
    ::close(to);
    return cloned;
}

// Whoever may write the file may save it, and a save leaves the file's owner,
// group, mode, access list and other names as they were: it is replaced by a
// new file where that keeps them, else written in place; a file the user may
// not write is refused whatever the folder allows, and a full disk fails
// before the old content is touched. Run as root, in the folder base; where
// it is a small filesystem of the test's own, the disk is also filled.
void SaveAsEachPlayer(const std::string& base, bool smallDisk, bool copiesOverwrites = false)
{
    // Two players sharing a group; each one's own group has his number.
    constexpr uid_t kPlayer = 40001, kMember = 40002;
    constexpr gid_t kShared = 40000, kStranger = 40009;
    enum Extra { kNothing, kHardLink, kFullDisk, kNearlyFullDisk, kReflinkedCopy, kAccessList };
    const struct {
        const char* name;
        uid_t folderOwner;
        gid_t folderGroup;
        mode_t folderMode;
        uid_t fileOwner;
        gid_t fileGroup;
        mode_t fileMode;
        Extra extra;
        uid_t saver;
        FileError result;
        bool replaced;
    } cases[] = {
        {"own folder", kPlayer, kPlayer, 0755, kPlayer, kPlayer, 0644, kNothing, kPlayer, FileError::None, true},
        {"private file", kPlayer, kPlayer, 0755, kPlayer, kPlayer, 0600, kNothing, kPlayer, FileError::None, true},
        {"hard-linked file", kPlayer, kPlayer, 0755, kPlayer, kPlayer, 0644, kHardLink, kPlayer, FileError::None,
         false},
        {"root's folder", 0, 0, 0755, kPlayer, kPlayer, 0644, kNothing, kPlayer, FileError::None, false},
        {"root's folder, protected file", 0, 0, 0755, kPlayer, kPlayer, 0444, kNothing, kPlayer,
         FileError::PermissionDenied, false},
        {"root's folder, full disk", 0, 0, 0755, kPlayer, kPlayer, 0644, kFullDisk, kPlayer, FileError::DiskFull,
         false},
        {"root's folder, nearly full disk", 0, 0, 0755, kPlayer, kPlayer, 0644, kNearlyFullDisk, kPlayer,
         FileError::DiskFull, false},
        {"root's folder, nearly full disk, reflinked copy", 0, 0, 0755, kPlayer, kPlayer, 0644, kReflinkedCopy,
         kPlayer, FileError::DiskFull, false},
        {"shared, another's file", 0, kShared, 02775, kPlayer, kShared, 0664, kNothing, kMember, FileError::None,
         false},
        {"shared, another's private file", 0, kShared, 02775, kPlayer, kShared, 0644, kNothing, kMember,
         FileError::PermissionDenied, false},
        {"shared, own file", 0, kShared, 02775, kMember, kShared, 0664, kNothing, kMember, FileError::None, true},
        {"shared, own file of own group", 0, kShared, 02775, kMember, kMember, 0664, kNothing, kMember,
         FileError::None, true},
        {"shared, own file of a group not ours", 0, kShared, 02775, kMember, kStranger, 0664, kNothing, kMember,
         FileError::None, false},
        {"own file another player may write", kPlayer, kPlayer, 0755, kPlayer, kPlayer, 0640, kAccessList, kPlayer,
         FileError::None, false},
    };
    // Over a disk block, and the new text longer still: a save in place
    // grows the file, and reserving that space where the filesystem cannot
    // would read the file, which was opened only for writing. On a nearly
    // full disk there is room for the growth, not for a copy of the file.
    const std::string old(150000, 'o'), text(160000, 'n');
    ASSERT_EQ(::chmod(base.c_str(), 0755), 0);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const bool nearlyFull = c.extra == kNearlyFullDisk || c.extra == kReflinkedCopy;
        if (nearlyFull && !smallDisk)
            continue;
        const std::string dir = base + "/" + c.name;
        const std::string file = dir + "/Notes.txt";
        std::filesystem::create_directory(dir);
        WriteBytes(file, old);
        if (c.extra == kHardLink)
            std::filesystem::create_hard_link(file, dir + "/other name");
        ASSERT_EQ(::chown(file.c_str(), c.fileOwner, c.fileGroup), 0);
        ASSERT_EQ(::chmod(file.c_str(), c.fileMode), 0);
        if (c.extra == kAccessList
            && std::system(("setfacl -m u:" + std::to_string(kMember) + ":rw '" + file + "'").c_str()) != 0)
            GTEST_SKIP() << "no setfacl here, or this filesystem keeps no access lists";
        ASSERT_EQ(::chown(dir.c_str(), c.folderOwner, c.folderGroup), 0);
        ASSERT_EQ(::chmod(dir.c_str(), c.folderMode), 0);
        struct stat before {};
        ASSERT_EQ(::stat(file.c_str(), &before), 0);
        const std::string accessList = AccessList(file);
        if (c.extra == kReflinkedCopy && !Reflink(file, base + "/copy"))
            continue;
        // Filled with dd but for the room of a spare file freed last.
        if (nearlyFull) {
            const std::string spare = c.extra == kReflinkedCopy ? "32K" : "128K";
            ASSERT_EQ(std::system(("cd '" + base + "' && head -c " + spare + " /dev/zero >spare && sync && { dd "
                                   "if=/dev/zero of=filler bs=64K 2>/dev/null; rm spare; sync; }").c_str()), 0);
        }

        const std::optional<FileError> result = SaveAs(
            c.saver, kShared, c.extra == kFullDisk ? std::optional<rlim_t>(old.size() + 1) : std::nullopt, file, text);
        if (!result)
            GTEST_SKIP() << "cannot drop to an ordinary user here";
        const FileError wanted = c.extra == kNearlyFullDisk && !copiesOverwrites ? FileError::None : c.result;
        EXPECT_EQ(*result, wanted);
        const std::string expected = wanted == FileError::None ? '"' + text + "\"\r\n" : old;
        // Sizes first: a failure never prints a mixed file whole.
        for (const std::string& name : {file, dir + "/other name"}) {
            if (name == file || c.extra == kHardLink) {
                const std::string now = ReadBytes(name);
                EXPECT_EQ(now.size(), expected.size()) << name;
                EXPECT_TRUE(now == expected) << name;
            }
        }
        struct stat after {};
        ASSERT_EQ(::stat(file.c_str(), &after), 0);
        EXPECT_EQ(after.st_uid, before.st_uid);
        EXPECT_EQ(after.st_gid, before.st_gid);
        EXPECT_EQ(after.st_mode, before.st_mode);
        EXPECT_EQ(AccessList(file), accessList);
        EXPECT_EQ(after.st_ino != before.st_ino, c.replaced);
        EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir), {}), c.extra == kHardLink ? 2 : 1);
        std::filesystem::remove(base + "/filler");
        std::filesystem::remove(base + "/copy");
    }
}

constexpr const char* kNeedsRoot =
    "needs root, to give the folder and file to other users; the save itself runs as an ordinary user";

TEST_F(SeqWriterTest, WhoeverMayWriteTheFileMaySaveIt)
{
    if (::geteuid() != 0)
        GTEST_SKIP() << kNeedsRoot;
    SaveAsEachPlayer(folder.path(), false);
}

// The same saves, and some on a nearly full disk, on filesystems made for
// the test: ext2 cannot reserve space ahead of writing (and keeps no blocks
// back for root here, so the player has the room left); btrfs copies every
// block it overwrites, so overwriting a file needs room for a copy of it;
// XFS does so only for blocks shared with a reflinked copy.
TEST_F(SeqWriterTest, WhoeverMayWriteTheFileMaySaveItOnExt2BtrfsAndXfs)
{
    if (::geteuid() != 0)
        GTEST_SKIP() << kNeedsRoot;
    ASSERT_EQ(::chmod(folder.path().c_str(), 0755), 0);
    // Images stay sparse but for the data.
    const struct {
        std::string kind, size, options;
    } disks[] = {{"ext2", "8M", "-m 0"}, {"btrfs", "160M", ""}, {"xfs", "300M", ""}};
    for (const auto& disk : disks) {
        SCOPED_TRACE(disk.kind);
        const std::string image = folder.file(disk.kind + ".img"), mounted = folder.file(disk.kind);
        std::filesystem::create_directory(mounted);
        const std::string make = "PATH=\"$PATH:/usr/sbin:/sbin\"; truncate -s " + disk.size + " '" + image
                                 + "' && mkfs." + disk.kind + " -q " + disk.options + " '" + image
                                 + "' && mount -o loop '" + image + "' '" + mounted + "'";
        if (std::system(make.c_str()) != 0)
            GTEST_SKIP() << "cannot make and mount an " << disk.kind << " image here";
        struct Unmount {
            std::string at;
            ~Unmount() { ::umount2(at.c_str(), MNT_DETACH); }
        } unmount{mounted};
        SaveAsEachPlayer(mounted, true, disk.kind == "btrfs");
    }
}

} // namespace
