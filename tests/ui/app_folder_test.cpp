// The real runtime's program folder comes from the executable's own path as
// bytes, so files beside the program are found whatever the folder is called.
#include <gtest/gtest.h>

#include <QTemporaryDir>

#include <sys/stat.h>

#include <cstdio>
#include <filesystem>
#include <string>

namespace {

std::string Output(const std::string& program) {
    std::string out;
    if (FILE* pipe = ::popen(("'" + program + "'").c_str(), "r")) {
        char buf[4096];
        for (std::size_t n; (n = std::fread(buf, 1, sizeof buf, pipe)) > 0;) {
            out.append(buf, n);
        }
        ::pclose(pipe);
    }
    return out;
}

TEST(AppFolder, AFolderNameThatIsNotUtf8IsFoundByteForByte) {
    QTemporaryDir base;
    ASSERT_TRUE(base.isValid());
    for (const std::string name : {"plain", "J\xFC" "egos", "caf\xC3\xA9 \xFF\xFE"}) {
        const std::string folder = base.path().toStdString() + "/" + name;
        ASSERT_EQ(::mkdir(folder.c_str(), 0755), 0);
        const std::string probe = folder + "/probe";
        std::filesystem::copy_file(NUVIK_APP_PATH_PROBE, probe);
        EXPECT_EQ(Output(probe), folder);
    }
}

} // namespace
