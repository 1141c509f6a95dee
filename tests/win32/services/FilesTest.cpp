#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <thread>

#include "TestSupport.h"
#include "Utf16.h"
#include "platform/win32/Handles.h"
#include "platform/win32/services/Win32Platform.h"

using platform::Listing;
using testsupport::addAttributes;
using testsupport::makeFolder;
using testsupport::writeFile;

namespace {

class FilesTest : public ::testing::Test {
  protected:
    std::vector<std::string> sortedNames(const std::string& pattern) {
        auto names = platform.listFiles(folder.path(), pattern);
        std::sort(names.begin(), names.end());
        return names;
    }

    win32::Win32Platform platform;
    testsupport::TempFolder folder;
};

TEST_F(FilesTest, ListingFindsVisibleEntriesOnlyAndFoldersOnlyWhenAsked) {
    writeFile(folder.at("a.txt"), "a");
    writeFile(folder.at("隠し.txt"), "h");
    addAttributes(folder.at("隠し.txt"), FILE_ATTRIBUTE_HIDDEN);
    writeFile(folder.at("sys.txt"), "s");
    addAttributes(folder.at("sys.txt"), FILE_ATTRIBUTE_SYSTEM);
    makeFolder(folder.at("sub"));

    EXPECT_TRUE(platform.listingFinds(folder.at("a.txt"), Listing::FilesOnly));
    EXPECT_TRUE(platform.listingFinds(folder.at("A.TXT"), Listing::FilesOnly));
    EXPECT_FALSE(platform.listingFinds(folder.at("隠し.txt"), Listing::FilesAndFolders));
    EXPECT_FALSE(platform.listingFinds(folder.at("sys.txt"), Listing::FilesAndFolders));
    EXPECT_FALSE(platform.listingFinds(folder.at("sub"), Listing::FilesOnly));
    EXPECT_TRUE(platform.listingFinds(folder.at("sub"), Listing::FilesAndFolders));
    EXPECT_FALSE(platform.listingFinds(folder.at("missing.txt"), Listing::FilesAndFolders));
    EXPECT_FALSE(platform.listingFinds("", Listing::FilesOnly));
    EXPECT_FALSE(platform.listingFinds("", Listing::FilesAndFolders));

    // A wildcard finds the first visible match, passing over hidden, system and (for files) folder ones.
    EXPECT_TRUE(platform.listingFinds(folder.at("a.?xt"), Listing::FilesOnly));
    EXPECT_FALSE(platform.listingFinds(folder.at("隠*"), Listing::FilesAndFolders));
    EXPECT_FALSE(platform.listingFinds(folder.at("s*"), Listing::FilesOnly));
    EXPECT_TRUE(platform.listingFinds(folder.at("s*"), Listing::FilesAndFolders));
}

// Many paths at once give what one lookup each gives: the paths of one folder come from one listing.
TEST_F(FilesTest, ListingManyPathsFindsWhatEachLookupFinds) {
    writeFile(folder.at("a.txt"), "a");
    writeFile(folder.at("隠し.txt"), "h");
    addAttributes(folder.at("隠し.txt"), FILE_ATTRIBUTE_HIDDEN);
    writeFile(folder.at("sys.txt"), "s");
    addAttributes(folder.at("sys.txt"), FILE_ATTRIBUTE_SYSTEM);
    writeFile(folder.at("a long name.text"), "l");
    makeFolder(folder.at("sub"));
    writeFile(folder.at("sub\\inner.txt"), "i");
    wchar_t shortPath[MAX_PATH] = {};
    ASSERT_GT(
        ::GetShortPathNameW(winsupport::Widen(folder.at("a long name.text")).c_str(), shortPath, MAX_PATH),
        0u);

    struct Case {
        std::string path;
        bool file, fileOrFolder;
    };
    const std::vector<Case> cases = {
        {folder.at("a.txt"), true, true},
        {folder.at("A.TXT"), true, true},
        {folder.at("隠し.txt"), false, false},
        {folder.at("sys.txt"), false, false},
        {folder.at("sub"), false, true},
        {folder.at("missing.txt"), false, false},
        {folder.at("a.?xt"), true, true},
        {folder.at("sub\\"), true, true},
        {folder.at("sub\\inner.txt"), true, true},
        {folder.at("gone\\a.txt"), false, false},
        {winsupport::Narrow(shortPath), true, true},
        {"", false, false},
    };
    std::vector<std::string> paths;
    for (const Case& c : cases)
        paths.push_back(c.path);
    for (const Listing listing : {Listing::FilesOnly, Listing::FilesAndFolders}) {
        const std::vector<bool> found = platform.listingFindsEach(paths, listing);
        ASSERT_EQ(found.size(), cases.size());
        for (std::size_t i = 0; i < cases.size(); ++i) {
            SCOPED_TRACE(cases[i].path);
            const bool expected = listing == Listing::FilesOnly ? cases[i].file : cases[i].fileOrFolder;
            EXPECT_EQ(found[i], expected);
            EXPECT_EQ(platform.listingFinds(cases[i].path, listing), expected);
        }
    }
}

TEST_F(FilesTest, PathEndingInSeparatorListsTheFolder) {
    makeFolder(folder.at("empty"));
    makeFolder(folder.at("full"));
    writeFile(folder.at("full\\x.txt"), "x");
    makeFolder(folder.at("veiled"));
    writeFile(folder.at("veiled\\h.txt"), "h");
    addAttributes(folder.at("veiled\\h.txt"), FILE_ATTRIBUTE_HIDDEN);

    EXPECT_TRUE(platform.listingFinds(folder.at("empty\\"), Listing::FilesAndFolders));
    EXPECT_FALSE(platform.listingFinds(folder.at("empty\\"), Listing::FilesOnly));
    EXPECT_TRUE(platform.listingFinds(folder.at("full\\"), Listing::FilesOnly));
    EXPECT_FALSE(platform.listingFinds(folder.at("veiled\\"), Listing::FilesOnly));
    EXPECT_FALSE(platform.listingFinds(folder.at("missing\\"), Listing::FilesAndFolders));

    EXPECT_TRUE(platform.isFolder(folder.at("full")));
    EXPECT_TRUE(platform.isFolder(folder.at("full\\")));
    EXPECT_FALSE(platform.isFolder(folder.at("full\\x.txt")));
    EXPECT_FALSE(platform.isFolder(folder.at("missing")));
}

TEST_F(FilesTest, ListFilesNamesVisibleFilesOnly) {
    writeFile(folder.at("b.skn"), "");
    writeFile(folder.at("青.skn"), "");
    writeFile(folder.at("c.skn"), "");
    addAttributes(folder.at("c.skn"), FILE_ATTRIBUTE_HIDDEN);
    makeFolder(folder.at("d.skn"));
    writeFile(folder.at("e.bmp"), "");

    EXPECT_EQ(sortedNames("*.skn"), (std::vector<std::string>{"b.skn", "青.skn"}));
    EXPECT_TRUE(platform.listFiles(folder.at("missing"), "*").empty());
}

TEST_F(FilesTest, PathExistsFindsWhatTheListingPassesOver) {
    writeFile(folder.at("TRUN.dat"), "x");
    addAttributes(folder.at("TRUN.dat"), FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM);
    makeFolder(folder.at("sub"));
    addAttributes(folder.at("sub"), FILE_ATTRIBUTE_HIDDEN);

    EXPECT_FALSE(platform.listingFinds(folder.at("TRUN.dat"), Listing::FilesOnly));
    EXPECT_TRUE(platform.pathExists(folder.at("TRUN.dat")));
    EXPECT_TRUE(platform.pathExists(folder.at("trun.DAT")));
    EXPECT_TRUE(platform.pathExists(folder.at("sub")));
    EXPECT_FALSE(platform.pathExists(folder.at("TURL.dat")));
    EXPECT_FALSE(platform.pathExists(folder.at("*.dat")));
    EXPECT_FALSE(platform.pathExists(""));
}

TEST_F(FilesTest, AnUnmappedDriveIsUnreachableAtOnceAndTheProgramsDriveIsThere) {
    const DWORD mapped = ::GetLogicalDrives();
    std::string unmapped;
    for (char letter = 'Z'; letter >= 'D' && unmapped.empty(); --letter) {
        if (!(mapped & (1u << (letter - 'A'))))
            unmapped = std::string(1, letter) + ":\\";
    }
    ASSERT_FALSE(unmapped.empty());
    wchar_t exe[MAX_PATH] = {};
    ASSERT_GT(::GetModuleFileNameW(nullptr, exe, MAX_PATH), 0u);
    const std::string own = winsupport::Narrow(std::wstring(exe, 3));

    const auto started = std::chrono::steady_clock::now();
    const std::vector<bool> reachable = platform.volumesReachable(
        {unmapped, own, "\\\\no-such-server\\share\\"}, std::chrono::milliseconds(1500));
    const auto took = std::chrono::steady_clock::now() - started;
    EXPECT_EQ(reachable, (std::vector<bool>{false, true, false})) << unmapped << " " << own;
    // The missing share may use up the time limit, but no more.
    EXPECT_LT(took, std::chrono::milliseconds(2000));

    const auto again = std::chrono::steady_clock::now();
    EXPECT_EQ(platform.volumesReachable({unmapped}, std::chrono::milliseconds(1500)),
              std::vector<bool>{false});
    EXPECT_LT(std::chrono::steady_clock::now() - again, std::chrono::milliseconds(500));
}

TEST_F(FilesTest, ReadFileGivesEveryByteOrNothing) {
    const std::string bytes("line\r\n\0\xff\x82\xa0", 10);
    writeFile(folder.at("data.bin"), bytes);
    makeFolder(folder.at("dir"));

    EXPECT_EQ(platform.readFile(folder.at("data.bin")), bytes);
    EXPECT_EQ(platform.readFile(folder.at("missing.bin")), std::nullopt);
    EXPECT_EQ(platform.readFile(folder.at("dir")), std::nullopt);
}

TEST_F(FilesTest, ReplaceFileWritesNewAndExistingFilesWithoutLeavingTemporaries) {
    ASSERT_TRUE(platform.replaceFile(folder.at("Tolv.ini"), "first version\r\n"));
    EXPECT_EQ(platform.readFile(folder.at("Tolv.ini")), "first version\r\n");

    ASSERT_TRUE(platform.replaceFile(folder.at("Tolv.ini"), "2\r\n"));
    EXPECT_EQ(platform.readFile(folder.at("Tolv.ini")), "2\r\n");

    // What a save that was killed left behind is taken over, not piled up.
    writeFile(folder.at("Tolv.ini.tmp"), "half of a save that was cut short");
    ASSERT_TRUE(platform.replaceFile(folder.at("Tolv.ini"), ""));
    EXPECT_EQ(platform.readFile(folder.at("Tolv.ini")), "");
    EXPECT_EQ(sortedNames("*"), (std::vector<std::string>{"Tolv.ini"}));
}

// A virus scanner or an indexer often reads a file just written, for a moment: the save waits it out.
TEST_F(FilesTest, ReplaceFileWaitsOutAReaderThatLetsGoSoon) {
    writeFile(folder.at("TRUN.dat"), "old bytes");
    HANDLE reader = ::CreateFileW(winsupport::Widen(folder.at("TRUN.dat")).c_str(), GENERIC_READ,
                                  FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                                  0, nullptr);
    ASSERT_NE(reader, INVALID_HANDLE_VALUE);
    std::thread letGo([reader] {
        std::this_thread::sleep_for(std::chrono::milliseconds(150));
        ::CloseHandle(reader);
    });
    const platform::Outcome<> saved = platform.replaceFile(folder.at("TRUN.dat"), "new bytes");
    letGo.join();
    EXPECT_TRUE(saved) << saved.problem();
    EXPECT_EQ(platform.readFile(folder.at("TRUN.dat")), "new bytes");
}

TEST_F(FilesTest, FailedReplaceKeepsTheOldFileWholeSaysWhyAndLeavesNoTemporary) {
    writeFile(folder.at("TRUN.dat"), "old bytes");
    std::string lockedReason;
    {
        // Another program reads the file and lets nobody delete or rename it meanwhile.
        const win32::UniqueFileHandle reader(::CreateFileW(winsupport::Widen(folder.at("TRUN.dat")).c_str(),
                                                           GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                                           nullptr, OPEN_EXISTING, 0, nullptr));
        ASSERT_TRUE(reader);
        const platform::Outcome<> locked = platform.replaceFile(folder.at("TRUN.dat"), "new bytes");
        EXPECT_FALSE(locked);
        lockedReason = locked.problem();
    }
    EXPECT_EQ(platform.readFile(folder.at("TRUN.dat")), "old bytes");

    makeFolder(folder.at("TURL.dat"));
    EXPECT_FALSE(platform.replaceFile(folder.at("TURL.dat"), "new bytes"));
    EXPECT_TRUE(platform.isFolder(folder.at("TURL.dat")));

    const platform::Outcome<> noFolder = platform.replaceFile(folder.at("missing\\Tolv.ini"), "new bytes");
    EXPECT_FALSE(noFolder);
    EXPECT_EQ(sortedNames("*"), (std::vector<std::string>{"TRUN.dat"}));

    // A read-only file is refused, not deleted, and kept whole.
    writeFile(folder.at("Tolv.ini"), "read only");
    addAttributes(folder.at("Tolv.ini"), FILE_ATTRIBUTE_READONLY);
    const platform::Outcome<> readOnly = platform.replaceFile(folder.at("Tolv.ini"), "new bytes");
    EXPECT_FALSE(readOnly);
    EXPECT_FALSE(readOnly.problem().empty());
    EXPECT_EQ(platform.readFile(folder.at("Tolv.ini")), "read only");
    EXPECT_EQ(sortedNames("*"), (std::vector<std::string>{"TRUN.dat", "Tolv.ini"}));
    ::SetFileAttributesW(winsupport::Widen(folder.at("Tolv.ini")).c_str(), FILE_ATTRIBUTE_NORMAL);

    // The system's own words, one for each cause.
    EXPECT_FALSE(lockedReason.empty());
    EXPECT_FALSE(noFolder.problem().empty());
    EXPECT_NE(lockedReason, noFolder.problem());
}

TEST_F(FilesTest, CopyFileNewNeverOverwrites) {
    writeFile(folder.at("from.skn"), "source");
    writeFile(folder.at("taken.skn"), "kept");

    EXPECT_TRUE(platform.copyFileNew(folder.at("from.skn"), folder.at("copy.skn")));
    EXPECT_EQ(platform.readFile(folder.at("copy.skn")), "source");
    EXPECT_FALSE(platform.copyFileNew(folder.at("from.skn"), folder.at("taken.skn")));
    EXPECT_EQ(platform.readFile(folder.at("taken.skn")), "kept");
    EXPECT_FALSE(platform.copyFileNew(folder.at("missing.skn"), folder.at("other.skn")));
}

}  // namespace
