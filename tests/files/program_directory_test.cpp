// The program's directory: the folder part of a file name, and the directory the running program
// lies in.
#include <filesystem>

#include <gtest/gtest.h>

#include "files/file_name.h"
#include "files/program_directory.h"

namespace {

TEST(ProgramDirectoryTest, CutsAtTheLastSeparator) {
    EXPECT_EQ(DirectoryOf("/opt/gdict/bin/gdict"), "/opt/gdict/bin");
    EXPECT_EQ(DirectoryOf("/gdict"), "");
    EXPECT_EQ(DirectoryOf("gdict"), "");
#ifdef _WIN32
    EXPECT_EQ(DirectoryOf("C:\\Program Files\\gdict\\gdict.exe"), "C:\\Program Files\\gdict");
    EXPECT_EQ(DirectoryOf("C:\\gdict.exe"), "C:");
    EXPECT_EQ(DirectoryOf("C:/gdict/gdict.exe"), "C:/gdict");
    // The system names the directory with its drive and backslashes.
    const std::string directory = GetProgramDirectory();
    EXPECT_TRUE(std::filesystem::equivalent(PathOfName(directory), GDICT_BIN_DIR)) << directory;
    EXPECT_NE(directory.back(), '\\');
#else
    EXPECT_EQ(GetProgramDirectory(), std::filesystem::canonical(GDICT_BIN_DIR).string());
#endif
}

}  // namespace
