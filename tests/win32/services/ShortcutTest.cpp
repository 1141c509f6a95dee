#include <gtest/gtest.h>

#include <shlobj.h>

#include "TestSupport.h"
#include "Utf16.h"
#include "platform/win32/services/Win32Platform.h"

namespace {

// Writes a shortcut the way the shell does.
bool writeShortcut(const std::string& linkPath, const std::string& target) {
    win32::ComPtr<IShellLinkW> link;
    win32::ComPtr<IPersistFile> file;
    return SUCCEEDED(::CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                        link.putVoid())) &&
           SUCCEEDED(link->SetPath(winsupport::Widen(target).c_str())) &&
           SUCCEEDED(link->QueryInterface(IID_IPersistFile, file.putVoid())) &&
           SUCCEEDED(file->Save(winsupport::Widen(linkPath).c_str(), TRUE));
}

TEST(ShortcutTest, JapaneseTargetSurvivesTheRoundTrip) {
    win32::Win32Platform platform;
    testsupport::TempFolder folder;
    const std::string target = folder.at("日本語の文書 ①.txt");
    testsupport::writeFile(target, "x");
    ASSERT_TRUE(writeShortcut(folder.at("リンク.lnk"), target));

    EXPECT_EQ(platform.resolveShortcut(folder.at("リンク.lnk")), target);
}

TEST(ShortcutTest, WhatIsNoShortcutResolvesToNothing) {
    win32::Win32Platform platform;
    testsupport::TempFolder folder;
    testsupport::writeFile(folder.at("plain.lnk"), "not a shortcut");

    EXPECT_EQ(platform.resolveShortcut(folder.at("plain.lnk")), std::nullopt);
    EXPECT_EQ(platform.resolveShortcut(folder.at("missing.lnk")), std::nullopt);
}

}  // namespace
