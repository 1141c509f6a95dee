// The floors the launcher's figures are measured against: what any program needs to show a strip of
// this size and take the same hotkeys, and nothing of the launcher itself.
//   floorplain.exe   a 256 x 28 borderless window that registers five hotkeys and paints once;
//   floorsystem.exe  the same, plus what the strip asks of the system at start: OLE with a drop target
//                    registered, one shell icon, and one skin picture decoded through WIC;
//   floorlook.exe    the same again, plus what the strip is made of: the launcher's manifest (common
//                    controls 6, per-monitor DPI), the strip's 23 child windows of the same kinds where
//                    the strip has them (17 painted windows, 3 edits and a drop-down combo box with its
//                    edit and list) and text drawn in the strip's face.
// Arguments: the picture to decode (floorsystem only), then "shift" to take Ctrl+Shift instead of
// Ctrl+Alt, so that a floor can run beside the launcher without their hotkeys colliding.
#include <windows.h>
#include <ole2.h>
#include <shellapi.h>
#include <wincodec.h>

#include <cwchar>

namespace {

constexpr wchar_t kClass[] = L"TolvaneBenchFloor";
HICON g_icon = nullptr;
HBITMAP g_picture = nullptr;

void registerClass(const wchar_t* name, WNDPROC procedure, HINSTANCE instance) {
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = procedure;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.lpszClassName = name;
    RegisterClassExW(&windowClass);
}

// Draws the part of the picture under a window at (left, top) of the strip.
void drawPicture(HDC dc, const RECT& client, int left, int top) {
    if (!g_picture)
        return;
    HDC source = CreateCompatibleDC(dc);
    HGDIOBJ old = SelectObject(source, g_picture);
    BitBlt(dc, 0, 0, client.right, client.bottom, source, left, top, SRCCOPY);
    SelectObject(source, old);
    DeleteDC(source);
}

#if TOLVANE_FLOOR_SYSTEM
// Refuses every drop: the floor only needs to be registered the way the strip is.
class RefusingDropTarget final : public IDropTarget {
  public:
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
        if (iid == IID_IUnknown || iid == IID_IDropTarget) {
            *out = static_cast<IDropTarget*>(this);
            return S_OK;
        }
        *out = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
    ULONG STDMETHODCALLTYPE Release() override { return 1; }
    HRESULT STDMETHODCALLTYPE DragEnter(IDataObject*, DWORD, POINTL, DWORD* effect) override {
        *effect = DROPEFFECT_NONE;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE DragOver(DWORD, POINTL, DWORD* effect) override {
        *effect = DROPEFFECT_NONE;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE DragLeave() override { return S_OK; }
    HRESULT STDMETHODCALLTYPE Drop(IDataObject*, DWORD, POINTL, DWORD* effect) override {
        *effect = DROPEFFECT_NONE;
        return S_OK;
    }
};
RefusingDropTarget g_dropTarget;

HBITMAP decodePicture(const wchar_t* path) {
    IWICImagingFactory* factory = nullptr;
    if (FAILED(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&factory))))
        return nullptr;
    HBITMAP bitmap = nullptr;
    IWICBitmapDecoder* decoder = nullptr;
    IWICBitmapFrameDecode* frame = nullptr;
    IWICFormatConverter* converter = nullptr;
    UINT width = 0, height = 0;
    if (SUCCEEDED(factory->CreateDecoderFromFilename(path, nullptr, GENERIC_READ, WICDecodeMetadataCacheOnDemand,
                                                     &decoder)) &&
        SUCCEEDED(decoder->GetFrame(0, &frame)) && SUCCEEDED(factory->CreateFormatConverter(&converter)) &&
        SUCCEEDED(converter->Initialize(frame, GUID_WICPixelFormat32bppBGR, WICBitmapDitherTypeNone, nullptr, 0,
                                        WICBitmapPaletteTypeCustom)) &&
        SUCCEEDED(converter->GetSize(&width, &height))) {
        BITMAPINFO format{};
        format.bmiHeader.biSize = sizeof format.bmiHeader;
        format.bmiHeader.biWidth = static_cast<LONG>(width);
        format.bmiHeader.biHeight = -static_cast<LONG>(height);
        format.bmiHeader.biPlanes = 1;
        format.bmiHeader.biBitCount = 32;
        void* bits = nullptr;
        bitmap = CreateDIBSection(nullptr, &format, DIB_RGB_COLORS, &bits, nullptr, 0);
        if (bitmap)
            converter->CopyPixels(nullptr, width * 4, width * height * 4, static_cast<BYTE*>(bits));
    }
    if (converter)
        converter->Release();
    if (frame)
        frame->Release();
    if (decoder)
        decoder->Release();
    factory->Release();
    return bitmap;
}
#endif

LRESULT CALLBACK windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_PAINT: {
        PAINTSTRUCT paint;
        HDC dc = BeginPaint(window, &paint);
        RECT client;
        GetClientRect(window, &client);
        FillRect(dc, &client, static_cast<HBRUSH>(GetStockObject(GRAY_BRUSH)));
        drawPicture(dc, client, 0, 0);
        if (g_icon)
            DrawIconEx(dc, 7, 6, g_icon, 16, 16, 0, nullptr, DI_NORMAL);
        EndPaint(window, &paint);
        return 0;
    }
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    default:
        return DefWindowProcW(window, message, wParam, lParam);
    }
}

#if TOLVANE_FLOOR_LOOK
constexpr wchar_t kPaintedClass[] = L"TolvaneBenchPainted";
constexpr int kModeIconId = 1;  // the first child, which shows the shell icon
HFONT g_face = nullptr;

// A painted child: the picture under it, and its text in the strip's face.
LRESULT CALLBACK paintedProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message != WM_PAINT)
        return DefWindowProcW(window, message, wParam, lParam);
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(window, &paint);
    RECT client;
    GetClientRect(window, &client);
    POINT origin{0, 0};
    MapWindowPoints(window, GetParent(window), &origin, 1);
    drawPicture(dc, client, origin.x, origin.y);
    if (GetDlgCtrlID(window) == kModeIconId && g_icon)
        DrawIconEx(dc, 0, 0, g_icon, client.right, client.bottom, 0, nullptr, DI_NORMAL);
    wchar_t text[64];
    if (const int length = GetWindowTextW(window, text, 64)) {
        HGDIOBJ old = SelectObject(dc, g_face);
        SetBkMode(dc, TRANSPARENT);
        DrawTextW(dc, text, length, &client, DT_SINGLELINE | DT_NOPREFIX);
        SelectObject(dc, old);
    }
    EndPaint(window, &paint);
    return 0;
}

// The strip's children where the strip has them; those below its 28 pixels are clipped until it opens.
void makeChildren(HWND strip, HINSTANCE instance) {
    registerClass(kPaintedClass, paintedProc, instance);
    const int dpi = static_cast<int>(GetDpiForWindow(strip));
    LOGFONTW face{};
    face.lfHeight = -MulDiv(9, dpi, 72);
    face.lfCharSet = SHIFTJIS_CHARSET;
    std::wcscpy(face.lfFaceName, L"ＭＳ Ｐゴシック");
    g_face = CreateFontIndirectW(&face);
    struct Child {
        const wchar_t* windowClass;
        DWORD style;
        int left, top, width, height;
        const wchar_t* text;
    };
    const DWORD painted = WS_VISIBLE;
    const DWORD edit = WS_VISIBLE | WS_BORDER | ES_AUTOHSCROLL;
    const Child children[] = {
        // the mode icon, the page, four slot icons under four run buttons, the caption, the close
        // mark, the window-order mark and the lock mark
        {kPaintedClass, painted, 7, 6, 16, 16, L""}, {kPaintedClass, painted, 25, 9, 14, 14, L"0"},
        {kPaintedClass, painted, 44, 6, 16, 16, L""}, {kPaintedClass, painted, 62, 6, 16, 16, L""},
        {kPaintedClass, painted, 80, 6, 16, 16, L""}, {kPaintedClass, painted, 98, 6, 16, 16, L""},
        {kPaintedClass, painted, 45, 4, 15, 20, L""}, {kPaintedClass, painted, 63, 4, 15, 20, L""},
        {kPaintedClass, painted, 81, 4, 15, 20, L""}, {kPaintedClass, painted, 99, 4, 15, 20, L""},
        {kPaintedClass, painted, 124, 8, 120, 14, L"Item kaka"}, {kPaintedClass, painted, 242, 4, 9, 9, L""},
        {kPaintedClass, painted, 244, 14, 8, 8, L"T"}, {kPaintedClass, painted, 236, 14, 8, 8, L""},
        // the entry fields of the open strip and the commands beside them
        {L"EDIT", edit, 8, 43, 210, 18, L"Item kaka"},
        {L"EDIT", edit, 8, 73, 210, 18, L"kaka"},
        {L"EDIT", edit, 8, 103, 210, 18, L"C:\\windows\\notepad.exe"},
        {kPaintedClass, painted, 226, 43, 24, 15, L"登録"},
        {kPaintedClass, painted, 226, 61, 24, 15, L"戻す"},
        {kPaintedClass, painted, 226, 97, 24, 15, L"削除"},
        // the command box, hidden until it is used: with its edit and its list, three windows
        {L"COMBOBOX", CBS_DROPDOWN | CBS_AUTOHSCROLL | WS_VSCROLL, 121, 4, 121, 200, L""},
    };
    int id = kModeIconId;
    for (const Child& child : children) {
        HWND window = CreateWindowExW(0, child.windowClass, child.text, WS_CHILD | child.style,
                                      MulDiv(child.left, dpi, 96), MulDiv(child.top, dpi, 96),
                                      MulDiv(child.width, dpi, 96), MulDiv(child.height, dpi, 96), strip,
                                      reinterpret_cast<HMENU>(static_cast<INT_PTR>(id++)), instance, nullptr);
        SendMessageW(window, WM_SETFONT, reinterpret_cast<WPARAM>(g_face), FALSE);
    }
}
#endif

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    int argc = 0;
    wchar_t** argv = CommandLineToArgvW(GetCommandLineW(), &argc);
    bool shift = false;
    const wchar_t* picture = nullptr;
    for (int i = 1; i < argc; ++i) {
        if (std::wcscmp(argv[i], L"shift") == 0)
            shift = true;
        else
            picture = argv[i];
    }
#if TOLVANE_FLOOR_SYSTEM
    OleInitialize(nullptr);
    wchar_t self[MAX_PATH];
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    SHFILEINFOW info{};
    if (SHGetFileInfoW(self, 0, &info, sizeof info, SHGFI_ICON | SHGFI_SMALLICON))
        g_icon = info.hIcon;
    if (picture)
        g_picture = decodePicture(picture);
#else
    (void)picture;
#endif

    registerClass(kClass, windowProc, instance);
    HWND window = CreateWindowExW(WS_EX_TOOLWINDOW, kClass, L"Tolvane floor", WS_POPUP, 0, 0, 256, 28, nullptr,
                                  nullptr, instance, nullptr);
    // The launcher's five default hotkeys, registered before the window shows, as the launcher does.
    const UINT modifiers = MOD_CONTROL | (shift ? MOD_SHIFT : MOD_ALT);
    const UINT keys[5] = {'T', 'M', 'C', 'R', 'W'};
    for (int id = 0; id < 5; ++id)
        RegisterHotKey(window, id, modifiers, keys[id]);
#if TOLVANE_FLOOR_LOOK
    makeChildren(window, instance);
#endif
#if TOLVANE_FLOOR_SYSTEM
    RegisterDragDrop(window, &g_dropTarget);
#endif
    ShowWindow(window, SW_SHOWNOACTIVATE);
    UpdateWindow(window);

    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
#if TOLVANE_FLOOR_SYSTEM
    RevokeDragDrop(window);
    OleUninitialize();
#endif
#if TOLVANE_FLOOR_LOOK
    DeleteObject(g_face);
#endif
    LocalFree(argv);
    return 0;
}
