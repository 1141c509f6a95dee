#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "FakePlatform.h"
#include "HeadlessBackend.h"
#include "app/Launcher.h"
#include "platform/TextCodec.h"

// A program folder with the default skin, a fake system and a headless screen, ready to start.
class LauncherTest : public ::testing::Test {
  protected:
    static constexpr const char* kFolder = "C:\\Tolvane";

    LauncherTest() {
        fake.folder = kFolder;
        fake.addFolder(kFolder);
        fake.addFile(std::string(kFolder) + "\\tolvane.exe", "MZ");
        fake.addFolder(std::string(kFolder) + "\\skins");
        addSkin("softblue.skn", "ＭＳ Ｐゴシック", 6303790, "softblue.bmp");
        fake.addFile(std::string(kFolder) + "\\skins\\softblue.bmp", "BM");
    }

    void addSkin(const std::string& name, const std::string& font, long color, const std::string& picture) {
        const std::string text = font + "\r\n" + std::to_string(color) + "\r\n" + picture + "\r\n";
        fake.addFile(std::string(kFolder) + "\\skins\\" + name, *platform::toCp932(text));
    }

    // Writes a stored file as the program would find it: UTF-8 lines in, code page 932 with CR LF out.
    void writeStored(const std::string& name, const std::vector<std::string>& lines) {
        std::string text;
        for (const auto& line : lines)
            text += line + "\r\n";
        const auto bytes = platform::toCp932(text);
        ASSERT_TRUE(bytes);
        fake.addFile(std::string(kFolder) + "\\" + name, *bytes);
    }

    // A settings file as the first run writes it, with some lines replaced.
    void writeSettings(const std::string& line1 = "0,0,0", const std::string& line2 = "0,0,1",
                       const std::string& skin = "softblue.skn", const std::string& showIcon = "0") {
        writeStored("Tolv.ini", {line1, line2, "C:\\Program Files\\Internet Explorer\\IEXPLORE.EXE", skin,
                                 "1,1,0,\"T\"", "1,1,0,\"M\"", "1,1,0,\"C\"", "1,1,0,\"R\"", "1,1,0,\"W\"",
                                 "mm/dd(ddd) hh:mm:ss", showIcon});
    }

    // A grid file of 64 records; `items` puts (position, Path, Batch, Title) into it.
    struct Item {
        int position;
        std::string path, batch, title;
    };
    void writeGrid(const std::string& name, const std::vector<Item>& items) {
        std::vector<std::string> lines;
        for (int n = 0; n < 64; ++n) {
            lines.insert(lines.end(), {"", "", "@未登録"});
        }
        for (const auto& item : items) {
            lines[static_cast<std::size_t>(item.position * 3)] = item.path;
            lines[static_cast<std::size_t>(item.position * 3 + 1)] = item.batch;
            lines[static_cast<std::size_t>(item.position * 3 + 2)] = item.title;
        }
        writeStored(name, lines);
    }

    std::string file(const std::string& name) const {
        return fake.fileBytes(std::string(kFolder) + "\\" + name);
    }

    bool start() {
        launcher = std::make_unique<app::Launcher>(backend, fake);
        return launcher->Main();
    }

    mainwindow::MainF& mainF() { return launcher->mainForm(); }
    state::LauncherState& s() { return launcher->state(); }

    fake::FakePlatform fake;
    headless::HeadlessBackend backend;
    std::unique_ptr<app::Launcher> launcher;
};
