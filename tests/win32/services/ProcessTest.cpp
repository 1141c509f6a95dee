#include <gtest/gtest.h>

#include "TestSupport.h"
#include "platform/win32/Wide.h"
#include "platform/win32/services/Win32Platform.h"

using testsupport::helperExe;
using testsupport::makeFolder;
using testsupport::waitForFile;

namespace {

TEST(ProgramTest, FolderAndNameDescribeTheRunningExe) {
    win32::Win32Platform platform;
    const std::string folder = platform.programFolder();
    ASSERT_FALSE(folder.empty());
    EXPECT_NE(folder.back(), '\\');
    EXPECT_EQ(platform.exeBaseName(), "tolvane_win32_services_tests");
    EXPECT_TRUE(
        platform.listingFinds(folder + "\\" + platform.exeBaseName() + ".exe", platform::Listing::FilesOnly));
}

TEST(SingleInstanceTest, TheFirstInstanceHoldsTheMutexForLaterOnes) {
    const std::string probe = helperExe("tolvane_instance_probe.exe");
    ASSERT_EQ(testsupport::runAndWait(probe), 0) << "nothing holds the mutex yet";

    win32::Win32Platform platform;
    EXPECT_FALSE(platform.anotherInstanceRunning());
    // Asking again must not take this process's own mutex for another instance.
    EXPECT_FALSE(platform.anotherInstanceRunning());
    EXPECT_FALSE(win32::Win32Platform().anotherInstanceRunning());

    EXPECT_EQ(testsupport::runAndWait(probe), 1) << "a second process sees the first";
}

class StartTest : public ::testing::Test {
  protected:
    // A copy of the recorder, which writes how it was started to "<path>.txt".
    std::string placeRecorder(const std::string& path) {
        EXPECT_TRUE(platform.copyFileNew(helperExe("tolvane_service_recorder.exe"), path));
        return path;
    }
    std::string record(const std::string& exe) {
        EXPECT_TRUE(waitForFile(exe + ".txt")) << exe;
        return platform.readFile(exe + ".txt").value_or("");
    }

    win32::Win32Platform platform;
    testsupport::TempFolder folder;
};

TEST_F(StartTest, ApplicationWithBlanksStartsItselfNeverAShorterNamedProgram) {
    makeFolder(folder.at("dir with blanks"));
    const std::string app = placeRecorder(folder.at("dir with blanks\\app.exe"));
    const std::string decoy = placeRecorder(folder.at("dir.exe"));

    // Unquoted, as a person types it: the system alone would take "<tmp>\dir.exe" for the program.
    const std::string line = app + " 引数 a%20b&c";
    ASSERT_TRUE(platform.startProcess(app, line));
    EXPECT_EQ(record(app).substr(0, line.size() + 1), line + "\n");
    EXPECT_FALSE(platform.listingFinds(decoy + ".txt", platform::Listing::FilesOnly));
}

TEST_F(StartTest, WithoutApplicationTheProgramComesFromTheCommandLine) {
    makeFolder(folder.at("dir with blanks"));
    const std::string app = placeRecorder(folder.at("dir with blanks\\app.exe"));
    const std::string line = "\"" + app + "\" /x";

    ASSERT_TRUE(platform.startProcess("", line));
    EXPECT_EQ(record(app).substr(0, line.size() + 1), line + "\n");
    EXPECT_FALSE(platform.startProcess(folder.at("missing.exe"), "missing.exe"));
}

TEST_F(StartTest, ShellOpenStartsInTheGivenWorkingFolder) {
    const std::string app = placeRecorder(folder.at("opened.exe"));
    makeFolder(folder.at("作業 folder"));

    ASSERT_TRUE(platform.shellOpen(app, folder.at("作業 folder")));
    const std::string seen = record(app);
    EXPECT_EQ(seen.substr(seen.find('\n') + 1), folder.at("作業 folder"));
    EXPECT_FALSE(platform.shellOpen(folder.at("missing.exe"), folder.path()));
}

}  // namespace
