// The floors the launcher's figures are measured against: what any program needs to show a strip of
// this size and take the same hotkeys, and nothing of the launcher itself.
//   floorplain.exe   a 256 x 28 borderless window that registers five hotkeys and paints once;
//   floorsystem.exe  the same, plus what the strip asks of the system at start: OLE with a drop target
//                    registered, one shell icon, and one skin picture decoded through WIC.
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
        if (g_picture) {
            HDC source = CreateCompatibleDC(dc);
            HGDIOBJ old = SelectObject(source, g_picture);
            BitBlt(dc, 0, 0, client.right, client.bottom, source, 0, 0, SRCCOPY);
            SelectObject(source, old);
            DeleteDC(source);
        }
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

    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = windowProc;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.lpszClassName = kClass;
    RegisterClassExW(&windowClass);
    HWND window = CreateWindowExW(WS_EX_TOOLWINDOW, kClass, L"Tolvane floor", WS_POPUP, 0, 0, 256, 28, nullptr,
                                  nullptr, instance, nullptr);
    // The launcher's five default hotkeys, registered before the window shows, as the launcher does.
    const UINT modifiers = MOD_CONTROL | (shift ? MOD_SHIFT : MOD_ALT);
    const UINT keys[5] = {'T', 'M', 'C', 'R', 'W'};
    for (int id = 0; id < 5; ++id)
        RegisterHotKey(window, id, modifiers, keys[id]);
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
    LocalFree(argv);
    return 0;
}
