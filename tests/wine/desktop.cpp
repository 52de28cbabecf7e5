#include "desktop.h"

#include <ole2.h>
#include <shlobj.h>
#include <shobjidl.h>

#include <algorithm>
#include <map>

bool SaveShortcut(const std::string &path, const std::string &target, const std::string &folder)
{
    IShellLinkA *link = NULL;
    if (FAILED(CoCreateInstance(CLSID_ShellLink, NULL, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                reinterpret_cast<void **>(&link))))
        return false;
    IPersistFile *file = NULL;
    const bool saved = SUCCEEDED(link->SetPath(target.c_str())) &&
                       (folder.empty() || SUCCEEDED(link->SetWorkingDirectory(folder.c_str()))) &&
                       SUCCEEDED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void **>(&file))) &&
                       SUCCEEDED(file->Save(Wide(path).c_str(), TRUE));
    if (file != NULL)
        file->Release();
    link->Release();
    return saved;
}

DesktopShortcuts::DesktopShortcuts(const std::vector<std::pair<std::string, std::string>> &shortcuts,
                                   const RECT &iconRow)
{
    CoInitialize(NULL);
    char folder[MAX_PATH] = "";
    if (FAILED(SHGetFolderPathA(NULL, CSIDL_DESKTOPDIRECTORY, NULL, 0, folder)))
        return;
    std::vector<RECT> icons;
    for (const auto &shortcut : shortcuts) {
        paths_.push_back(std::string(folder) + "\\" + shortcut.first + ".lnk");
        const size_t shown = paths_.size();
        // Wine's desktop takes in a new file when its watch of the folder
        // reports it, and on a busy machine now and then misses one, which it
        // then never shows (seen for the first, second and third shortcut). So
        // a shortcut whose icon has not come within five seconds is written
        // again, until the desktop shows it. Brellox takes no part in this.
        const bool added = WaitUntil(
            [&] {
                DeleteFileA(paths_.back().c_str());
                if (!SaveShortcut(paths_.back(), shortcut.second))
                    return false;
                return WaitUntil([&] { return (icons = FindDesktopIcons(iconRow)).size() == shown; }, 5000);
            },
            3 * kStartTimeoutMs, 0);
        if (!added)
            return;
    }
    icons_ = icons;
}

DesktopShortcuts::~DesktopShortcuts()
{
    for (const std::string &path : paths_)
        DeleteFileA(path.c_str());
    CoUninitialize();
}

bool ScreenImage::SameAs(const ScreenImage &other, const RECT &r) const
{
    for (int y = r.top; y < r.bottom; ++y) {
        for (int x = r.left; x < r.right; ++x) {
            if (At(x, y) != other.At(x, y))
                return false;
        }
    }
    return true;
}

ScreenImage CaptureScreen(const RECT &area)
{
    const int width = area.right - area.left, height = area.bottom - area.top;
    ScreenImage image = {area, std::vector<COLORREF>(static_cast<size_t>(width) * height)};
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height; // top row first
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    HDC screen = GetDC(NULL);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, width, height);
    HGDIOBJ previous = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, width, height, screen, area.left, area.top, SRCCOPY);
    SelectObject(memory, previous);
    std::vector<DWORD> bgrx(image.pixels.size());
    GetDIBits(memory, bitmap, 0, height, bgrx.data(), &info, DIB_RGB_COLORS);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(NULL, screen);
    for (size_t i = 0; i < bgrx.size(); ++i)
        image.pixels[i] = RGB((bgrx[i] >> 16) & 0xFF, (bgrx[i] >> 8) & 0xFF, bgrx[i] & 0xFF);
    return image;
}

static BOOL CALLBACK CloseNotepad(HWND hwnd, LPARAM)
{
    char className[16] = "";
    GetClassNameA(hwnd, className, sizeof(className));
    if (lstrcmpA(className, "Notepad") == 0)
        PostMessageA(hwnd, WM_CLOSE, 0, 0);
    return TRUE;
}

void CloseEveryNotepad()
{
    EnumWindows(CloseNotepad, 0);
    WaitUntil([] { return FindWindowA("Notepad", NULL) == NULL; }, kStartTimeoutMs);
}

std::vector<RECT> FindDesktopIcons(const RECT &area)
{
    const ScreenImage image = CaptureScreen(area);
    // The desktop's own colour is the one most of the area shows.
    std::map<COLORREF, size_t> counts;
    for (COLORREF pixel : image.pixels)
        ++counts[pixel];
    COLORREF desktop = 0;
    size_t most = 0;
    for (const auto &count : counts) {
        if (count.second > most) {
            most = count.second;
            desktop = count.first;
        }
    }
    // An icon and its title are one run of columns; the gaps between the words
    // of a title are a few pixels, those between icons tens.
    const int kGapBetweenIcons = 12;
    std::vector<RECT> icons;
    int gap = kGapBetweenIcons;
    for (int x = area.left; x < area.right; ++x) {
        int top = area.bottom, bottom = area.top;
        for (int y = area.top; y < area.bottom; ++y) {
            if (image.At(x, y) != desktop) {
                top = std::min(top, y);
                bottom = std::max(bottom, y + 1);
            }
        }
        if (top >= bottom) {
            ++gap;
            continue;
        }
        if (gap >= kGapBetweenIcons || icons.empty())
            icons.push_back({x, top, x + 1, bottom});
        RECT &icon = icons.back();
        icon.right = x + 1;
        icon.top = std::min(icon.top, static_cast<LONG>(top));
        icon.bottom = std::max(icon.bottom, static_cast<LONG>(bottom));
        gap = 0;
    }
    return icons;
}

namespace {

// The IUnknown of an object that outlives every use the drag makes of it, so
// needs no count of references, and that has the one interface besides.
template <typename Interface, const IID &kInterfaceId> struct Uncounted : Interface {
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void **object) override
    {
        if (riid == IID_IUnknown || riid == kInterfaceId) {
            *object = static_cast<Interface *>(this);
            return S_OK;
        }
        *object = NULL;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return 1; }
    ULONG STDMETHODCALLTYPE Release() override { return 1; }
};

// Ends the drag with a drop when the left button is released.
struct DropSource : Uncounted<IDropSource, IID_IDropSource> {
    HRESULT STDMETHODCALLTYPE QueryContinueDrag(BOOL escape, DWORD keys) override
    {
        if (escape)
            return DRAGDROP_S_CANCEL;
        return (keys & MK_LBUTTON) ? S_OK : DRAGDROP_S_DROP;
    }
    HRESULT STDMETHODCALLTYPE GiveFeedback(DWORD) override { return DRAGDROP_S_USEDEFAULTCURSORS; }
};

// The shell's data object for one file, as a file manager hands it to a drag.
IDataObject *FileDataObject(const std::string &file)
{
    IShellFolder *desktop = NULL;
    if (FAILED(SHGetDesktopFolder(&desktop)))
        return NULL;
    std::wstring path = Wide(file);
    LPITEMIDLIST item = NULL;
    IDataObject *data = NULL;
    if (SUCCEEDED(desktop->ParseDisplayName(NULL, NULL, &path[0], NULL, &item, NULL))) {
        IShellFolder *parent = NULL;
        LPCITEMIDLIST child = NULL;
        if (SUCCEEDED(SHBindToParent(item, IID_IShellFolder, reinterpret_cast<void **>(&parent), &child))) {
            parent->GetUIObjectOf(NULL, 1, &child, IID_IDataObject, NULL, reinterpret_cast<void **>(&data));
            parent->Release();
        }
        CoTaskMemFree(item);
    }
    desktop->Release();
    return data;
}

const char kDragSourceClass[] = "BrelloxDragSource";

} // namespace

FileDragSource::FileDragSource(const RECT &r, const std::string &file)
    : rect_(r), file_(file), ready_(CreateEventA(NULL, TRUE, FALSE, NULL))
{
    thread_ = CreateThread(NULL, 0, Run, this, 0, &threadId_);
    WaitUntil([&] { return WaitForSingleObject(ready_, 0) == WAIT_OBJECT_0; }, kStartTimeoutMs);
}

FileDragSource::~FileDragSource()
{
    if (hwnd_ != NULL)
        PostMessageA(hwnd_, WM_CLOSE, 0, 0);
    if (thread_ != NULL) {
        WaitUntil([&] { return WaitForSingleObject(thread_, 0) == WAIT_OBJECT_0; }, kStartTimeoutMs);
        CloseHandle(thread_);
    }
    CloseHandle(ready_);
}

DWORD WINAPI FileDragSource::Run(LPVOID parameter)
{
    FileDragSource *source = static_cast<FileDragSource *>(parameter);
    OleInitialize(NULL);
    WNDCLASSA wc = {};
    wc.lpfnWndProc = WindowProc;
    wc.hInstance = GetModuleHandleA(NULL);
    wc.hCursor = LoadCursorA(NULL, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    wc.lpszClassName = kDragSourceClass;
    RegisterClassA(&wc); // fails harmlessly once registered by an earlier source
    const RECT &r = source->rect_;
    source->hwnd_ = CreateWindowExA(0, kDragSourceClass, "drag source", WS_OVERLAPPEDWINDOW, r.left, r.top,
                                    r.right - r.left, r.bottom - r.top, NULL, NULL, wc.hInstance, NULL);
    SetWindowLongPtrA(source->hwnd_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(source));
    ShowWindow(source->hwnd_, SW_SHOWNOACTIVATE);
    UpdateWindow(source->hwnd_);
    SetEvent(source->ready_);
    MSG msg;
    while (GetMessageA(&msg, NULL, 0, 0) > 0)
        DispatchMessageA(&msg);
    OleUninitialize();
    return 0;
}

LRESULT CALLBACK FileDragSource::WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    FileDragSource *source = reinterpret_cast<FileDragSource *>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
    if (message == WM_LBUTTONDOWN && source != NULL) {
        // The press must reach this thread: the drag reads the button from the
        // input state of the thread that runs it.
        IDataObject *data = FileDataObject(source->file_);
        if (data != NULL) {
            DropSource dropSource;
            DWORD effect = DROPEFFECT_NONE;
            DoDragDrop(data, &dropSource, DROPEFFECT_COPY | DROPEFFECT_MOVE | DROPEFFECT_LINK, &effect);
            data->Release();
            InterlockedExchange(&source->effect_, static_cast<LONG>(effect));
        }
        InterlockedExchange(&source->dropped_, 1);
        return 0;
    }
    if (message == WM_DESTROY)
        PostQuitMessage(0);
    return DefWindowProcA(hwnd, message, wParam, lParam);
}

bool FileDragSource::WaitUntilDragging() const
{
    return WaitUntil(
        [&] {
            GUITHREADINFO info = {};
            info.cbSize = sizeof(info);
            return GetGUIThreadInfo(threadId_, &info) && info.hwndCapture != NULL;
        },
        kStartTimeoutMs);
}

bool FileDragSource::WaitUntilDropped(DWORD *effect) const
{
    const bool dropped = WaitUntil([&] { return dropped_ != 0; }, kStartTimeoutMs);
    *effect = static_cast<DWORD>(effect_);
    return dropped;
}

// Accepts any drag that carries files and keeps the first file's path.
struct FileDropTarget::Target final : Uncounted<IDropTarget, IID_IDropTarget> {
    std::string dropped;

    HRESULT STDMETHODCALLTYPE DragEnter(IDataObject *, DWORD, POINTL, DWORD *effect) override
    {
        *effect = DROPEFFECT_COPY;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE DragOver(DWORD, POINTL, DWORD *effect) override
    {
        *effect = DROPEFFECT_COPY;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE DragLeave() override { return S_OK; }
    HRESULT STDMETHODCALLTYPE Drop(IDataObject *data, DWORD, POINTL, DWORD *effect) override
    {
        FORMATETC format = {CF_HDROP, NULL, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
        STGMEDIUM medium = {};
        *effect = DROPEFFECT_NONE;
        if (data->GetData(&format, &medium) != S_OK)
            return S_OK;
        char path[MAX_PATH] = "";
        if (DragQueryFileA(static_cast<HDROP>(medium.hGlobal), 0, path, MAX_PATH) > 0) {
            dropped = path;
            *effect = DROPEFFECT_COPY;
        }
        ReleaseStgMedium(&medium);
        return S_OK;
    }
};

FileDropTarget::FileDropTarget(const RECT &r, int show) : target_(new Target)
{
    OleInitialize(NULL);
    hwnd_ = CreateSampleWindow(r, "drop target", WS_OVERLAPPEDWINDOW, show);
    registered_ = SUCCEEDED(RegisterDragDrop(hwnd_, target_));
}

FileDropTarget::~FileDropTarget()
{
    if (registered_)
        RevokeDragDrop(hwnd_);
    DestroyWindow(hwnd_);
    delete target_;
    OleUninitialize();
}

std::string FileDropTarget::Dropped() const
{
    return target_->dropped;
}
