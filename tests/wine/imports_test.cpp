// The shipped program must run on a bare Windows: every DLL it imports is part
// of the system, read from the file's own import table as the loader reads it;
// and its manifest, read from its resources, says how Windows is to run it.
#include "harness.h"
#include "res/resource.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cstring>
#include <set>
#include <string>

namespace {

template <typename T> bool ReadAt(const std::string &image, size_t offset, T *value)
{
    if (offset > image.size() || image.size() - offset < sizeof(T))
        return false;
    std::memcpy(value, image.data() + offset, sizeof(T));
    return true;
}

// Maps a relative virtual address to its offset in the file through the section table.
bool FileOffset(const std::string &image, size_t sections, int count, DWORD rva, size_t *offset)
{
    for (int i = 0; i < count; ++i) {
        IMAGE_SECTION_HEADER section;
        if (!ReadAt(image, sections + i * sizeof(section), &section))
            return false;
        DWORD size = std::max(section.Misc.VirtualSize, section.SizeOfRawData);
        if (rva >= section.VirtualAddress && rva < section.VirtualAddress + size) {
            *offset = rva - section.VirtualAddress + section.PointerToRawData;
            return true;
        }
    }
    return false;
}

struct Imports {
    WORD machine = 0;
    WORD subsystem = 0;
    std::set<std::string> dlls;
    bool ok = false;
};

Imports ReadImports(const std::string &image)
{
    Imports result;
    IMAGE_DOS_HEADER dos;
    DWORD signature;
    IMAGE_FILE_HEADER file;
    if (!ReadAt(image, 0, &dos) || dos.e_magic != IMAGE_DOS_SIGNATURE || !ReadAt(image, dos.e_lfanew, &signature) ||
        signature != IMAGE_NT_SIGNATURE || !ReadAt(image, dos.e_lfanew + 4, &file))
        return result;
    result.machine = file.Machine;
    const size_t optional = dos.e_lfanew + 4 + sizeof(IMAGE_FILE_HEADER);
    WORD magic;
    IMAGE_DATA_DIRECTORY importDirectory;
    if (!ReadAt(image, optional, &magic))
        return result;
    if (magic == IMAGE_NT_OPTIONAL_HDR32_MAGIC) {
        IMAGE_OPTIONAL_HEADER32 header;
        if (!ReadAt(image, optional, &header))
            return result;
        result.subsystem = header.Subsystem;
        importDirectory = header.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
    } else {
        IMAGE_OPTIONAL_HEADER64 header;
        if (!ReadAt(image, optional, &header))
            return result;
        result.subsystem = header.Subsystem;
        importDirectory = header.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
    }
    const size_t sections = optional + file.SizeOfOptionalHeader;
    size_t descriptors;
    if (!FileOffset(image, sections, file.NumberOfSections, importDirectory.VirtualAddress, &descriptors))
        return result;
    for (size_t at = descriptors;; at += sizeof(IMAGE_IMPORT_DESCRIPTOR)) {
        IMAGE_IMPORT_DESCRIPTOR descriptor;
        if (!ReadAt(image, at, &descriptor))
            return result;
        if (descriptor.Name == 0)
            break;
        size_t name;
        if (!FileOffset(image, sections, file.NumberOfSections, descriptor.Name, &name))
            return result;
        std::string dll(image.c_str() + name);
        std::transform(dll.begin(), dll.end(), dll.begin(), [](unsigned char c) { return std::tolower(c); });
        result.dlls.insert(dll);
    }
    result.ok = true;
    return result;
}

TEST(ShippedProgram, IsA32BitGuiProgramImportingOnlySystemDlls)
{
    const std::string image = ReadTextFile(ProductExePath());
    ASSERT_FALSE(image.empty()) << ProductExePath();
    Imports imports = ReadImports(image);
    ASSERT_TRUE(imports.ok);
    EXPECT_EQ(IMAGE_FILE_MACHINE_I386, imports.machine);
    EXPECT_EQ(IMAGE_SUBSYSTEM_WINDOWS_GUI, imports.subsystem);

    const std::set<std::string> system = {"kernel32.dll", "user32.dll",   "gdi32.dll",
                                          "comdlg32.dll", "comctl32.dll", "msvcrt.dll"};
    EXPECT_TRUE(imports.dlls.count("user32.dll"));
    for (const std::string &dll : imports.dlls)
        EXPECT_TRUE(system.count(dll)) << dll << " is not a system DLL";
}

// The manifest as the loader finds it: resource 1 of type RT_MANIFEST.
std::string ManifestOf(const std::string &exePath)
{
    std::string text;
    HMODULE module = LoadLibraryExA(exePath.c_str(), NULL, LOAD_LIBRARY_AS_DATAFILE);
    if (module == NULL)
        return text;
    HRSRC resource = FindResourceA(module, MAKEINTRESOURCEA(1), MAKEINTRESOURCEA(24));
    HGLOBAL loaded = resource != NULL ? LoadResource(module, resource) : NULL;
    const char *data = loaded != NULL ? static_cast<const char *>(LockResource(loaded)) : NULL;
    if (data != NULL)
        text.assign(data, SizeofResource(module, resource));
    FreeLibrary(module);
    return text;
}

TEST(ShippedProgram, ItsManifestAsksForPerMonitorDpiTheUsersRightsAndTheSupportedWindows)
{
    const std::string manifest = ManifestOf(ProductExePath());
    ASSERT_FALSE(manifest.empty()) << ProductExePath();
    const char *const declared[] = {
        // The common controls of version 6, for the 32-bit program.
        "name=\"Microsoft.Windows.Common-Controls\" version=\"6.0.0.0\" processorArchitecture=\"X86\"",
        // Per-monitor DPI awareness (v2 where there is one), system-wide before 8.1.
        "<dpiAware xmlns=\"http://schemas.microsoft.com/SMI/2005/WindowsSettings\">true/pm</dpiAware>",
        "<dpiAwareness xmlns=\"http://schemas.microsoft.com/SMI/2016/WindowsSettings\">PerMonitorV2, "
        "PerMonitor</dpiAwareness>",
        "<requestedExecutionLevel level=\"asInvoker\" uiAccess=\"false\"/>",
        "{e2011457-1546-43c5-a5fe-008deee3d3f0}", // Vista
        "{35138b9a-5d96-4fbd-8e2d-a2440225f93a}", // 7
        "{4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38}", // 8
        "{1f676c76-80e1-4239-95bb-83d0f6d0da78}", // 8.1
        "{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}", // 10 and 11
    };
    for (const char *text : declared)
        EXPECT_NE(std::string::npos, manifest.find(text)) << text;
}

// The colour of the pixel at (x, y) of the program's icon drawn at size x
// size, as 0xRRGGBB; -1 when the icon does not load or draw.
long IconPixel(HMODULE module, int size, int x, int y)
{
    HICON icon =
        static_cast<HICON>(LoadImageA(module, MAKEINTRESOURCEA(IDI_BRELLOX), IMAGE_ICON, size, size, LR_DEFAULTCOLOR));
    if (icon == NULL)
        return -1;
    HDC screen = GetDC(NULL);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, size, size);
    HGDIOBJ old = SelectObject(memory, bitmap);
    long pixel = -1;
    if (DrawIconEx(memory, 0, 0, icon, size, size, 0, NULL, DI_NORMAL)) {
        const COLORREF drawn = GetPixel(memory, x, y);
        pixel = static_cast<long>(GetRValue(drawn)) << 16 | GetGValue(drawn) << 8 | GetBValue(drawn);
    }
    SelectObject(memory, old);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(NULL, screen);
    DestroyIcon(icon);
    return pixel;
}

// The icon as Windows reads it from the file, at each size it holds: the
// desktop at the left edge, the yellow bar slid inward, the pushed window's
// title on the right.
TEST(ShippedProgram, ItsIconShowsTheDesktopTheBarAndThePushedWindowAtEverySize)
{
    HMODULE module = LoadLibraryExA(ProductExePath().c_str(), NULL, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_NE(nullptr, module) << ProductExePath();
    for (int size : {16, 32, 48}) {
        SCOPED_TRACE(size);
        // Points on the 48-unit grid of the design, scaled as it scales them.
        const auto at = [size](int unit) { return unit * size / 48; };
        EXPECT_EQ(0x2E6EA8, IconPixel(module, size, at(2), at(40))) << "the desktop";
        EXPECT_EQ(0xFFFF00, IconPixel(module, size, at(20), at(24))) << "the bar";
        EXPECT_EQ(0x1F3A60, IconPixel(module, size, at(40), at(13))) << "the pushed window's title";
        EXPECT_EQ(0xD8D8D8, IconPixel(module, size, at(40), at(30))) << "the pushed window";
    }
    FreeLibrary(module);
}

// The window system takes the running program for per-monitor aware: the
// positions it reads and sets are never scaled.
TEST(RunningProgram, IsPerMonitorDpiAware)
{
    EndAllBrellox();
    BrelloxProcess brellox(MakeScratchDirectory("dpi"));
    const BrelloxWindows windows = brellox.WaitForWindows();
    ASSERT_TRUE(windows.Complete());
    typedef DPI_AWARENESS_CONTEXT(WINAPI * WindowContextProc)(HWND);
    typedef DPI_AWARENESS(WINAPI * AwarenessProc)(DPI_AWARENESS_CONTEXT);
    HMODULE user32 = GetModuleHandleA("user32.dll");
    const WindowContextProc windowContext = reinterpret_cast<WindowContextProc>(
        reinterpret_cast<void (*)()>(GetProcAddress(user32, "GetWindowDpiAwarenessContext")));
    const AwarenessProc awareness = reinterpret_cast<AwarenessProc>(
        reinterpret_cast<void (*)()>(GetProcAddress(user32, "GetAwarenessFromDpiAwarenessContext")));
    ASSERT_TRUE(windowContext != NULL && awareness != NULL) << "this window system knows no DPI awareness";
    EXPECT_EQ(DPI_AWARENESS_PER_MONITOR_AWARE, awareness(windowContext(windows.bars[EdgeLeft])));
    EndAllBrellox();
}

} // namespace
