#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "FakePlatform.h"
#include "platform/TextCodec.h"
#include "state/State.h"
#include "state/StoredFiles.h"

// A program folder on the fake system and the state record as start-up has it before the files.
class StoredFilesTest : public ::testing::Test {
  protected:
    static constexpr const char* kFolder = "C:\\Tolvane";
    const std::string kIni = std::string(kFolder) + "\\Tolv.ini";
    const std::string kUrl = std::string(kFolder) + "\\TURL.dat";
    const std::string kRun = std::string(kFolder) + "\\TRUN.dat";

    StoredFilesTest() { fake.addFolder(kFolder); }

    // Before LoadAll at every start: paths set, three settings at their defaults, all else zero or empty.
    state::LauncherState startState() const {
        state::LauncherState s;
        state::SetPaths(s, kFolder, "tolvane");
        s.BrowserPath = state::kDefaultBrowserPath;
        s.ClockFormat = state::kDefaultClockFormat;
        s.ShowIcon = 0;
        return s;
    }

    // The state the first run saves.
    state::LauncherState firstRunState() const {
        state::LauncherState s = startState();
        s.UseInternetExplorer = 1;
        s.SkinFile = state::kDefaultSkinFile;
        for (int n = 0; n < state::kGridSize; ++n) {
            s.RunItems.at(n).Title = state::EmptyMarker;
            s.UrlItems.at(n).Title = state::EmptyMarker;
        }
        state::SetDefaultHotkeys(s);
        return s;
    }

    // Saves as the program does: a failure is told in a message box.
    bool save(const state::LauncherState& s) { return platform::Reported(fake, state::SaveAll(s, fake)); }

    state::LauncherState loaded() {
        state::LauncherState s = startState();
        state::LoadAll(s, fake);
        return s;
    }

    static std::string cp932(const std::string& utf8) {
        const platform::Outcome<std::string> bytes = platform::toCp932(utf8);
        EXPECT_TRUE(bytes) << utf8;
        return bytes ? *bytes : std::string();
    }

    // UTF-8 lines as the stored bytes: code page 932, CR LF after each.
    static std::string stored(const std::vector<std::string>& lines) {
        std::string out;
        for (const std::string& line : lines)
            out += cp932(line) + "\r\n";
        return out;
    }

    static std::vector<std::string> firstRunSettingsLines() {
        return {"0,0,0",
                "0,0,1",
                "C:\\Program Files\\Internet Explorer\\IEXPLORE.EXE",
                "softblue.skn",
                "1,1,0,\"T\"",
                "1,1,0,\"M\"",
                "1,1,0,\"C\"",
                "1,1,0,\"R\"",
                "1,1,0,\"W\"",
                "mm/dd(ddd) hh:mm:ss",
                "0"};
    }

    // The lines of a grid file of `pages` pages; record n is ("path n", "b n", "名前 n").
    static std::vector<std::string> gridLines(int pages) {
        std::vector<std::string> lines;
        for (int n = 0; n < pages * state::kSlots; ++n) {
            lines.push_back("path " + std::to_string(n));
            lines.push_back("b " + std::to_string(n));
            lines.push_back("名前 " + std::to_string(n));
        }
        return lines;
    }

    static state::ItemRecord gridRecord(int n) {
        return {"path " + std::to_string(n), "b " + std::to_string(n), "名前 " + std::to_string(n)};
    }

    std::vector<std::string> messageTexts() const {
        std::vector<std::string> texts;
        for (const auto& box : fake.messageBoxes) {
            EXPECT_EQ(box.buttons, platform::MessageButtons::Ok);
            texts.push_back(box.text);
        }
        return texts;
    }

    fake::FakePlatform fake;
};
