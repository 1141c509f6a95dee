// A screen reader's view of a running program, from a process of its own, as a real reader has it:
//   tolvane-reader OUT tree HWND       the window's client object and its children, one line each:
//       self  ROLE LEFT TOP WIDTH HEIGHT COUNT NAME
//       child N ROLE LEFT TOP WIDTH HEIGHT HIT NEXT FROMPOINT NAME DESCRIPTION ACTION
//     HIT is the child that accHitTest finds at the child's centre, NEXT the one accNavigate gives
//     after it (0 at the end), FROMPOINT the name AccessibleObjectFromPoint finds at the centre.
//   tolvane-reader OUT do HWND N MS    presses child N (accDoDefaultAction), then for MS milliseconds
//     writes the events the program raises:  event KIND CHILD  (KIND: name, show or hide)
//   tolvane-reader OUT names PID       every visible window of the process and every control window
//     in it:  window TOPCAPTION CLASS NAME
// Fields are separated by tabs; OUT is written in UTF-8. Exit status 0, or 1 when a step failed.
#include <oleacc.h>
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "Utf16.h"
#include "WindowText.h"

namespace {

// Defined here: MinGW's import libraries have been seen to lack it or to hold it wrongly.
constexpr IID kIidAccessible = {0x618736E0, 0x3C3D, 0x11CF, {0x81, 0x0C, 0x00, 0xAA, 0x00, 0x38, 0x9B, 0x71}};

std::wstring out;
bool failed = false;

void Line(const std::vector<std::wstring>& fields) {
    for (size_t i = 0; i < fields.size(); ++i)
        out += (i ? L"\t" : L"") + fields[i];
    out += L"\n";
}

void Fail(const std::wstring& what, HRESULT hr) {
    Line({L"error", what, std::to_wstring(static_cast<unsigned long>(hr))});
    failed = true;
}

VARIANT Child(LONG id) {
    VARIANT v;
    VariantInit(&v);
    v.vt = VT_I4;
    v.lVal = id;
    return v;
}

std::wstring Text(HRESULT (STDMETHODCALLTYPE IAccessible::*get)(VARIANT, BSTR*), IAccessible* acc, LONG id) {
    BSTR text = nullptr;
    const HRESULT hr = (acc->*get)(Child(id), &text);
    std::wstring result = SUCCEEDED(hr) && text ? std::wstring(text, SysStringLen(text)) : L"";
    SysFreeString(text);
    return result;
}

std::wstring Name(IAccessible* acc, LONG id) {
    return Text(&IAccessible::get_accName, acc, id);
}

std::wstring Number(long n) {
    return std::to_wstring(n);
}

LONG Role(IAccessible* acc, LONG id) {
    VARIANT role;
    VariantInit(&role);
    return SUCCEEDED(acc->get_accRole(Child(id), &role)) && role.vt == VT_I4 ? role.lVal : -1;
}

RECT Location(IAccessible* acc, LONG id) {
    LONG l = 0, t = 0, w = 0, h = 0;
    if (FAILED(acc->accLocation(&l, &t, &w, &h, Child(id))))
        Fail(L"accLocation " + Number(id), E_FAIL);
    return {l, t, l + w, t + h};
}

IAccessible* ClientObject(HWND window) {
    IAccessible* acc = nullptr;
    const HRESULT hr = AccessibleObjectFromWindow(window, static_cast<DWORD>(OBJID_CLIENT), kIidAccessible,
                                                  reinterpret_cast<void**>(&acc));
    if (FAILED(hr) || !acc) {
        Fail(L"AccessibleObjectFromWindow", hr);
        return nullptr;
    }
    return acc;
}

void Tree(HWND window) {
    IAccessible* acc = ClientObject(window);
    if (!acc)
        return;
    LONG count = 0;
    acc->get_accChildCount(&count);
    const RECT self = Location(acc, CHILDID_SELF);
    Line({L"self", Number(Role(acc, CHILDID_SELF)), Number(self.left), Number(self.top),
          Number(self.right - self.left), Number(self.bottom - self.top), Number(count),
          Name(acc, CHILDID_SELF)});
    for (LONG id = 1; id <= count; ++id) {
        const RECT r = Location(acc, id);
        const POINT centre{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
        VARIANT hit;
        VariantInit(&hit);
        acc->accHitTest(centre.x, centre.y, &hit);
        VARIANT next;
        VariantInit(&next);
        acc->accNavigate(NAVDIR_NEXT, Child(id), &next);
        std::wstring fromPoint;
        IAccessible* found = nullptr;
        VARIANT foundChild;
        VariantInit(&foundChild);
        if (SUCCEEDED(AccessibleObjectFromPoint(centre, &found, &foundChild)) && found) {
            fromPoint = Name(found, foundChild.vt == VT_I4 ? foundChild.lVal : CHILDID_SELF);
            found->Release();
        }
        Line({L"child", Number(id), Number(Role(acc, id)), Number(r.left), Number(r.top),
              Number(r.right - r.left), Number(r.bottom - r.top), Number(hit.vt == VT_I4 ? hit.lVal : -1),
              Number(next.vt == VT_I4 ? next.lVal : 0), fromPoint, Name(acc, id),
              Text(&IAccessible::get_accDescription, acc, id),
              Text(&IAccessible::get_accDefaultAction, acc, id)});
    }
    acc->Release();
}

void CALLBACK OnEvent(HWINEVENTHOOK, DWORD event, HWND, LONG object, LONG child, DWORD, DWORD) {
    if (object != OBJID_CLIENT)
        return;
    const wchar_t* kind = event == EVENT_OBJECT_NAMECHANGE ? L"name"
                          : event == EVENT_OBJECT_SHOW     ? L"show"
                          : event == EVENT_OBJECT_HIDE     ? L"hide"
                                                           : nullptr;
    if (kind)
        Line({L"event", kind, Number(child)});
}

void Do(HWND window, LONG id, DWORD watchMs) {
    IAccessible* acc = ClientObject(window);
    if (!acc)
        return;
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    HWINEVENTHOOK hook = SetWinEventHook(EVENT_OBJECT_SHOW, EVENT_OBJECT_NAMECHANGE, nullptr, &OnEvent, pid,
                                         0, WINEVENT_OUTOFCONTEXT);
    const HRESULT hr = acc->accDoDefaultAction(Child(id));
    Line({L"done", Number(static_cast<long>(hr))});
    if (FAILED(hr))
        failed = true;
    const DWORD start = GetTickCount();
    while (GetTickCount() - start < watchMs) {
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE))
            DispatchMessageW(&msg);
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
    }
    if (hook)
        UnhookWinEvent(hook);
    acc->Release();
}

std::wstring ClassName(HWND window) {
    wchar_t name[256] = {};
    GetClassNameW(window, name, 256);
    return name;
}

void Names(DWORD pid) {
    struct Context {
        DWORD pid;
        std::vector<HWND> windows;
    } context{pid, {}};
    EnumWindows(
        [](HWND window, LPARAM param) -> BOOL {
            auto* c = reinterpret_cast<Context*>(param);
            DWORD owner = 0;
            GetWindowThreadProcessId(window, &owner);
            if (owner == c->pid && IsWindowVisible(window) && ClassName(window) != L"ComboLBox")
                c->windows.push_back(window);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&context));
    for (HWND top : context.windows) {
        std::vector<HWND> children;
        EnumChildWindows(
            top,
            [](HWND child, LPARAM param) -> BOOL {
                if (IsWindowVisible(child))
                    reinterpret_cast<std::vector<HWND>*>(param)->push_back(child);
                return TRUE;
            },
            reinterpret_cast<LPARAM>(&children));
        for (HWND child : children) {
            IAccessible* acc = ClientObject(child);
            Line({L"window", winsupport::WindowText(top), ClassName(child),
                  acc ? Name(acc, CHILDID_SELF) : L""});
            if (acc)
                acc->Release();
        }
    }
}

HWND WindowArg(const wchar_t* text) {
    return reinterpret_cast<HWND>(static_cast<INT_PTR>(_wtoi64(text)));
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 4)
        return 2;
    // A reader makes its own apartment; the program's object answers through it.
    if (FAILED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)))
        return 1;
    const std::wstring command = argv[2];
    if (command == L"tree")
        Tree(WindowArg(argv[3]));
    else if (command == L"do" && argc >= 6)
        Do(WindowArg(argv[3]), _wtoi(argv[4]), static_cast<DWORD>(_wtoi(argv[5])));
    else if (command == L"names")
        Names(static_cast<DWORD>(_wtoi(argv[3])));
    else
        return 2;
    CoUninitialize();
    const std::string bytes = winsupport::Narrow(out);
    FILE* file = _wfopen(argv[1], L"wb");
    if (!file)
        return 1;
    fwrite(bytes.data(), 1, bytes.size(), file);
    fclose(file);
    return failed ? 1 : 0;
}
