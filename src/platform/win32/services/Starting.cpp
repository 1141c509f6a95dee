#include <windows.h>

#include <exdisp.h>
#include <shellapi.h>

#include <memory>

#include "platform/win32/Handles.h"
#include "platform/win32/Wide.h"
#include "platform/win32/services/Win32Platform.h"

namespace win32 {
namespace {

using UniqueBstr = std::unique_ptr<OLECHAR, Releaser<::SysFreeString>>;

bool shellExecuteOpen(const std::wstring& file, const wchar_t* parameters, const wchar_t* folder) {
    const HINSTANCE result =
        ::ShellExecuteW(nullptr, L"open", file.c_str(), parameters, folder, SW_SHOWNORMAL);
    return reinterpret_cast<INT_PTR>(result) > 32;
}

}  // namespace

bool Win32Platform::startProcess(const std::string& application, const std::string& commandLine) {
    const std::wstring program = widen(application);
    std::wstring line = widen(commandLine);  // CreateProcessW may write into the command line
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_SHOWNORMAL;
    PROCESS_INFORMATION started{};
    if (!::CreateProcessW(program.empty() ? nullptr : program.c_str(), line.data(), nullptr, nullptr, FALSE,
                          0, nullptr, nullptr, &startup, &started)) {
        return false;
    }
    UniqueKernelHandle process(started.hProcess);
    UniqueKernelHandle thread(started.hThread);
    return true;
}

bool Win32Platform::shellOpen(const std::string& file, const std::string& workingFolder) {
    const std::wstring folder = widen(workingFolder);
    return shellExecuteOpen(widen(file), L"", folder.empty() ? nullptr : folder.c_str());
}

bool Win32Platform::openInBrowserObject(const std::string& address) {
    const std::wstring url = widen(address);
    CLSID browserClass{};
    ComPtr<IWebBrowser2> browser;
    if (FAILED(::CLSIDFromProgID(L"InternetExplorer.Application", &browserClass)) ||
        FAILED(
            ::CoCreateInstance(browserClass, nullptr, CLSCTX_SERVER, IID_IWebBrowser2, browser.putVoid()))) {
        return shellExecuteOpen(url, nullptr, nullptr);
    }
    const UniqueBstr target(::SysAllocStringLen(url.data(), static_cast<UINT>(url.size())));
    if (!target)
        return false;
    VARIANT none;
    ::VariantInit(&none);
    browser->put_Visible(VARIANT_TRUE);
    return SUCCEEDED(browser->Navigate(target.get(), &none, &none, &none, &none));
}

}  // namespace win32
