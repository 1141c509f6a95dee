#include <windows.h>

#include <shlobj.h>

#include <memory>
#include <type_traits>

#include "platform/win32/Handles.h"
#include "platform/win32/Wide.h"
#include "platform/win32/services/Win32Platform.h"

namespace win32 {
namespace {

using UniqueIdList = std::unique_ptr<std::remove_pointer_t<PIDLIST_ABSOLUTE>, Releaser<::CoTaskMemFree>>;

// Room for the longest path the system can name.
constexpr DWORD kLongestPath = 32768;

}  // namespace

std::optional<std::string> Win32Platform::resolveShortcut(const std::string& linkPath) {
    ComPtr<IShellLinkW> link;
    ComPtr<IPersistFile> file;
    if (FAILED(::CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                  link.putVoid())) ||
        FAILED(link->QueryInterface(IID_IPersistFile, file.putVoid())) ||
        FAILED(file->Load(widen(linkPath).c_str(), STGM_READ))) {
        return std::nullopt;
    }
    // The item list, not GetPath: GetPath goes through the ANSI code page on some systems and turns
    // Japanese names into question marks.
    PIDLIST_ABSOLUTE raw = nullptr;
    const HRESULT found = link->GetIDList(&raw);
    const UniqueIdList items(raw);
    std::wstring target(kLongestPath, L'\0');
    if (found != S_OK || !items ||
        !::SHGetPathFromIDListEx(items.get(), target.data(), kLongestPath, GPFIDL_DEFAULT)) {
        return std::nullopt;
    }
    target.resize(::wcslen(target.c_str()));
    return narrow(target);
}

}  // namespace win32
