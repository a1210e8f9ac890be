#include "platform/seqfile.h"
#include "platform/vbnum.h"
#include "tempfolder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sys/stat.h>
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

    EXPECT_EQ(result, FileError::IoError);
    EXPECT_EQ(ReadBytes(path), old);
    EXPECT_EQ(folder.entries(), std::vector<std::string>{"out.dat"});
}

TEST_F(SeqWriterTest, WriteProtectionIsHonoured)
{
    if (::geteuid() == 0)
        GTEST_SKIP() << "permissions do not bind the superuser";
    using std::filesystem::perms;
    WriteBytes(path, "old");
    std::filesystem::permissions(path, perms::owner_read);
    SeqWriter protectedFile(path);
    protectedFile.Write({1});
    EXPECT_EQ(protectedFile.Close(), FileError::PermissionDenied);
    EXPECT_EQ(ReadBytes(path), "old");

    std::filesystem::permissions(path, perms::owner_read | perms::owner_write);
    std::filesystem::permissions(folder.path(), perms::owner_read | perms::owner_exec);
    SeqWriter readOnlyFolder(path);
    readOnlyFolder.Write({1});
    EXPECT_EQ(readOnlyFolder.Close(), FileError::PermissionDenied);
    EXPECT_EQ(ReadBytes(path), "old");
}

} // namespace
