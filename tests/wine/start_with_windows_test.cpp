// The bar menu's Start with Windows, worked as a user does: a right-click on a
// bar, a click on the item, and the shortcut that leaves in the Startup folder
// of this Wine prefix, read back through the shell as log-on reads it. The
// item's check mark is seen from inside the process that shows the menu
// (Brellox on a thread of this one, whose program is this driver); what the
// shipped program writes and how log-on starts it, with Brellox.exe itself.
#include "brellox_fixture.h"
#include "brellox_thread.h"
#include "desktop.h"
#include "harness.h"
#include "res/resource.h"

#include <gtest/gtest.h>

#include <ole2.h>
#include <shlobj.h>
#include <shobjidl.h>

#include <string>
#include <vector>

namespace {

std::string StartupFolder()
{
    char folder[MAX_PATH] = "";
    SHGetFolderPathA(NULL, CSIDL_STARTUP | CSIDL_FLAG_DONT_VERIFY, NULL, SHGFP_TYPE_CURRENT, folder);
    return folder;
}

std::string StartupShortcut()
{
    return StartupFolder() + "\\Brellox.lnk";
}

// A path as the file system names it, with no "..".
std::string FullPath(const std::string &path)
{
    char full[MAX_PATH] = "";
    GetFullPathNameA(path.c_str(), MAX_PATH, full, NULL);
    return full;
}

bool SameName(const std::string &a, const std::string &b)
{
    return lstrcmpiA(a.c_str(), b.c_str()) == 0;
}

// COM for this thread while one is in scope.
class ComForThisThread {
public:
    ComForThisThread() : started_(SUCCEEDED(CoInitializeEx(NULL, COINIT_APARTMENTTHREADED))) {}
    ~ComForThisThread()
    {
        if (started_)
            CoUninitialize();
    }
    ComForThisThread(const ComForThisThread &) = delete;
    ComForThisThread &operator=(const ComForThisThread &) = delete;

private:
    bool started_;
};

struct ShortcutFacts {
    bool read = false;
    std::string target;
    std::string folder;
};

// The shortcut read through IShellLinkA, as the shell reads it.
ShortcutFacts ReadShortcut(const std::string &path)
{
    ShortcutFacts facts;
    ComForThisThread com;
    IShellLinkA *link = NULL;
    if (FAILED(CoCreateInstance(CLSID_ShellLink, NULL, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                reinterpret_cast<void **>(&link))))
        return facts;
    IPersistFile *file = NULL;
    char target[MAX_PATH] = "", folder[MAX_PATH] = "";
    facts.read = SUCCEEDED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void **>(&file))) &&
                 SUCCEEDED(file->Load(Wide(path).c_str(), STGM_READ)) &&
                 SUCCEEDED(link->GetPath(target, MAX_PATH, NULL, 0)) &&
                 SUCCEEDED(link->GetWorkingDirectory(folder, MAX_PATH));
    facts.target = target;
    facts.folder = folder;
    if (file != NULL)
        file->Release();
    link->Release();
    return facts;
}

bool WriteShortcut(const std::string &path, const std::string &target, const std::string &folder)
{
    ComForThisThread com;
    return SaveShortcut(path, target, folder);
}

// Waits until the Startup folder holds a shortcut to that program in that folder.
bool WaitForShortcut(const std::string &target, const std::string &folder, ShortcutFacts *facts)
{
    return WaitUntil(
        [&] {
            *facts = ReadShortcut(StartupShortcut());
            return facts->read && SameName(facts->target, target) && SameName(facts->folder, folder);
        },
        kStartTimeoutMs);
}

// The Startup folder as a new user's prefix has it: a folder, without
// Brellox's shortcut. A file standing in for the folder goes.
void ClearStartupFolder()
{
    const std::string folder = StartupFolder();
    SetFileAttributesA(StartupShortcut().c_str(), FILE_ATTRIBUTE_NORMAL);
    DeleteFileA(StartupShortcut().c_str());
    const DWORD attributes = GetFileAttributesA(folder.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0)
        DeleteFileA(folder.c_str());
    CreateDirectoryA(folder.c_str(), NULL);
}

// Where the bar menu's items lie within its window, as a Brellox of this
// process shows it on this display. Brellox.exe's menu, of the same resources
// and metrics, has the same rows, which another process cannot read under Wine.
std::vector<RECT> BarMenuRows()
{
    std::vector<RECT> rows;
    BrelloxThread brellox("rows", "[Brellox]\r\n");
    if (!brellox.Started())
        return rows;
    HWND window = RightClick(1, 300, GetCurrentProcessId());
    if (window == NULL)
        return rows;
    HMENU menu = reinterpret_cast<HMENU>(SendMessageA(window, MN_GETHMENU, 0, 0));
    const RECT whole = RectOf(window);
    for (int i = 0; i < GetMenuItemCount(menu); ++i) {
        RECT item = {};
        GetMenuItemRect(NULL, menu, i, &item);
        rows.push_back(
            {item.left - whole.left, item.top - whole.top, item.right - whole.left, item.bottom - whole.top});
    }
    PressKey(VK_ESCAPE);
    WaitUntil([&] { return ShownMenu(GetCurrentProcessId()) == NULL; }, kStartTimeoutMs);
    return rows;
}

// Clicks the middle of a row of a menu window.
void ClickRow(HWND window, const RECT &row)
{
    const RECT whole = RectOf(window);
    Click(whole.left + (row.left + row.right) / 2, whole.top + (row.top + row.bottom) / 2);
}

const int kStartRow = 1;

// Brellox on a thread of this process, whose program is this driver: the
// check mark as the menu holds it.
class StartWithWindowsMenu : public ::testing::Test {
protected:
    void SetUp() override
    {
        EndAllBrellox();
        ClearStartupFolder();
    }
    void TearDown() override
    {
        ParkPointer();
        ClearStartupFolder();
    }

    // Right-clicks the left bar; the menu window, and whether its item is
    // checked, in checked.
    static HWND ShowMenu(bool *checked)
    {
        HWND window = RightClick(1, 300, GetCurrentProcessId());
        if (window == NULL)
            return NULL;
        HMENU menu = reinterpret_cast<HMENU>(SendMessageA(window, MN_GETHMENU, 0, 0));
        *checked = (GetMenuState(menu, IDM_START_WITH_WINDOWS, MF_BYCOMMAND) & MF_CHECKED) != 0;
        return window;
    }

    // Clicks the item of a menu that ShowMenu brought up.
    static void ChooseItem(HWND window)
    {
        HMENU menu = reinterpret_cast<HMENU>(SendMessageA(window, MN_GETHMENU, 0, 0));
        RECT item = {};
        ASSERT_TRUE(GetMenuItemRect(NULL, menu, kStartRow, &item));
        ASSERT_EQ(static_cast<UINT>(IDM_START_WITH_WINDOWS), GetMenuItemID(menu, kStartRow));
        Click((item.left + item.right) / 2, (item.top + item.bottom) / 2);
        ASSERT_TRUE(WaitUntil([&] { return ShownMenu(GetCurrentProcessId()) == NULL; }, kStartTimeoutMs));
    }

    static void CloseMenu()
    {
        PressKey(VK_ESCAPE);
        EXPECT_TRUE(WaitUntil([&] { return ShownMenu(GetCurrentProcessId()) == NULL; }, kStartTimeoutMs));
    }

    static std::string ThisProgram()
    {
        char path[MAX_PATH] = "";
        GetModuleFileNameA(NULL, path, MAX_PATH);
        return path;
    }

    // From a menu whose item is unchecked: chosen, the shortcut to this copy
    // in its folder appears, and the next menu, left shown in *menu, has the
    // item checked.
    static void ChooseAndSeeItChecked(const BrelloxThread &brellox, HWND *menu)
    {
        bool checked = true;
        *menu = ShowMenu(&checked);
        ASSERT_NE(nullptr, *menu);
        EXPECT_FALSE(checked);
        ASSERT_NO_FATAL_FAILURE(ChooseItem(*menu));
        ShortcutFacts shortcut;
        EXPECT_TRUE(WaitForShortcut(ThisProgram(), brellox.Directory(), &shortcut))
            << StartupShortcut() << ": " << shortcut.target << " in " << shortcut.folder;
        *menu = ShowMenu(&checked);
        ASSERT_NE(nullptr, *menu);
        EXPECT_TRUE(checked);
    }

    // Made and checked as above, then chosen again: the shortcut is gone and
    // the item unchecked.
    static void MakeAndRemoveThroughTheItem(const BrelloxThread &brellox)
    {
        HWND menu = NULL;
        ASSERT_NO_FATAL_FAILURE(ChooseAndSeeItChecked(brellox, &menu));
        ASSERT_NO_FATAL_FAILURE(ChooseItem(menu));
        EXPECT_TRUE(WaitUntil([] { return !FileExists(StartupShortcut()); }, kStartTimeoutMs)) << "removed";
        bool checked = true;
        ASSERT_NE(nullptr, ShowMenu(&checked));
        EXPECT_FALSE(checked);
        CloseMenu();
    }
};

TEST_F(StartWithWindowsMenu, ChosenMakesTheShortcutToThisCopyHereWhichChecksItAndChosenAgainRemovesIt)
{
    BrelloxThread brellox("startup", "[Brellox]\r\n");
    ASSERT_TRUE(brellox.Started());
    MakeAndRemoveThroughTheItem(brellox);
}

// A shortcut to this program started elsewhere, or to another copy started
// here, starts another Brellox: unchecked, and the item makes it this one.
TEST_F(StartWithWindowsMenu, AShortcutToAnotherFolderOrCopyIsUncheckedAndChosenBecomesThisOne)
{
    BrelloxThread brellox("startup", "[Brellox]\r\n");
    ASSERT_TRUE(brellox.Started());
    const std::string elsewhere = MakeScratchDirectory("elsewhere");
    const std::string others[2][2] = {{ThisProgram(), elsewhere}, {FullPath(ProductExePath()), brellox.Directory()}};
    for (const auto &other : others) {
        SCOPED_TRACE(other[0] + " in " + other[1]);
        ASSERT_TRUE(WriteShortcut(StartupShortcut(), other[0], other[1]));
        HWND menu = NULL;
        ASSERT_NO_FATAL_FAILURE(ChooseAndSeeItChecked(brellox, &menu));
        CloseMenu();
    }
}

// A Japanese user's folder, in code page 932: "表示", whose first character
// ends in the byte of a backslash. The shortcut holds it in UTF-16; read back
// into the code page, it is this copy's folder.
class JapaneseStartWithWindowsMenu : public StartWithWindowsMenu {};

TEST_F(JapaneseStartWithWindowsMenu, AFolderWithAJapaneseNameIsThisCopysFolder)
{
    ASSERT_EQ(932u, GetACP()) << "the Japanese session's code page";
    BrelloxThread brellox("\x95\x5c\x8e\xa6", "[Brellox]\r\n");
    ASSERT_TRUE(brellox.Started());
    MakeAndRemoveThroughTheItem(brellox);
}

// Brellox.exe itself, in its own process.
class StartWithWindows : public BrelloxTest {
protected:
    void SetUp() override
    {
        BrelloxTest::SetUp();
        ClearStartupFolder();
        rows_ = BarMenuRows();
        ASSERT_GT(rows_.size(), static_cast<size_t>(kStartRow)) << "the bar menu's rows";
    }
    void TearDown() override
    {
        BrelloxTest::TearDown();
        ClearStartupFolder();
    }

    // Right-clicks the left bar of the Brellox of that process and clicks Start with Windows.
    bool ChooseStartWithWindows(DWORD processId) const
    {
        HWND menu = RightClick(1, 300, processId);
        if (menu == NULL)
            return false;
        ClickRow(menu, rows_[kStartRow]);
        return WaitUntil([&] { return ShownMenu(processId) == NULL; }, kStartTimeoutMs);
    }

    // Brellox's message box, once it is up: the running copy's, or that of
    // the copy it started to write the shortcut.
    static HWND WaitForMessageBox()
    {
        HWND box = NULL;
        WaitUntil(
            [&] {
                box = FindWindowA("#32770", "Brellox");
                return box != NULL && IsWindowVisible(box);
            },
            kStartTimeoutMs);
        return box;
    }

    std::vector<RECT> rows_;
};

// Log-on starts every shortcut of the Startup folder through the shell, which
// starts the program in the shortcut's working folder.
TEST_F(StartWithWindows, TheShortcutStartsBrelloxInItsFolderWhoseSettingsItReads)
{
    Start("[Brellox]\r\nLeft=1\r\nRight=1\r\n");
    // A user's Startup folder that was removed is made again.
    ASSERT_TRUE(RemoveDirectoryA(StartupFolder().c_str())) << StartupFolder() << " holds files of its own";
    ASSERT_TRUE(ChooseStartWithWindows(brellox_->Id()));
    ShortcutFacts shortcut;
    ASSERT_TRUE(WaitForShortcut(FullPath(BrelloxExePath()), dir_, &shortcut))
        << shortcut.target << " in " << shortcut.folder;

    // Started from a folder without settings, the defaults would show the left bar alone.
    char saved[MAX_PATH] = "";
    GetCurrentDirectoryA(MAX_PATH, saved);
    SetCurrentDirectoryA(MakeScratchDirectory("logon").c_str());
    SHELLEXECUTEINFOA start = {};
    start.cbSize = sizeof(start);
    start.fMask = SEE_MASK_FLAG_NO_UI;
    start.nShow = SW_SHOWNORMAL;
    const std::string file = StartupShortcut();
    start.lpFile = file.c_str();
    const BOOL started = ShellExecuteExA(&start);
    SetCurrentDirectoryA(saved);
    ASSERT_TRUE(started) << GetLastError();

    DWORD code = 1;
    ASSERT_TRUE(brellox_->WaitForExit(kStartTimeoutMs, &code)) << "the new copy replaces this one";
    DWORD logonCopy = 0;
    BrelloxWindows windows = {};
    ASSERT_TRUE(WaitUntil(
        [&] {
            HWND owner = FindWindowA("CBrellox", NULL);
            if (owner == NULL)
                return false;
            GetWindowThreadProcessId(owner, &logonCopy);
            windows = FindBrelloxWindows(logonCopy);
            return windows.Complete() && IsWindowVisible(windows.bars[EdgeRight]);
        },
        kStartTimeoutMs))
        << "the right bar of " << SettingsPath();
    EXPECT_TRUE(IsWindowVisible(windows.bars[EdgeLeft]));
    EXPECT_TRUE(ComesTo(windows.bars[EdgeRight], {1022, 0, 1024, 768}));

    // The copy log-on started is this one: its item removes the shortcut.
    ASSERT_TRUE(ChooseStartWithWindows(logonCopy));
    EXPECT_TRUE(WaitUntil([] { return !FileExists(StartupShortcut()); }, kStartTimeoutMs));
}

TEST_F(StartWithWindows, AStartupFolderThatCannotBeWrittenIsToldWithThePathAndBrelloxRunsOn)
{
    // A file where the folder should be: no shortcut can be made in it.
    const std::string folder = StartupFolder();
    ASSERT_TRUE(RemoveDirectoryA(folder.c_str())) << folder << " holds files of its own";
    WriteTextFile(folder, "not a folder");
    HANDLE refused = CreateFileA(StartupShortcut().c_str(), GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, 0, NULL);
    ASSERT_EQ(INVALID_HANDLE_VALUE, refused) << "the system writes there after all";

    Start();
    ASSERT_TRUE(ChooseStartWithWindows(brellox_->Id()));
    HWND box = WaitForMessageBox();
    ASSERT_NE(nullptr, box);
    const std::string text = MessageBoxText(box);
    EXPECT_NE(std::string::npos, text.find("Brellox could not make its shortcut " + StartupShortcut() + ":")) << text;
    EXPECT_NE(std::string::npos, text.find("Brellox will not start with Windows.")) << text;
    SetForegroundWindow(box);
    PressKey(VK_RETURN);
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(box); }, kStartTimeoutMs));

    EXPECT_TRUE(brellox_->Running());
    HWND menu = RightClick(1, 300, brellox_->Id());
    EXPECT_NE(nullptr, menu) << "the bar still answers";
    PressKey(VK_ESCAPE);
    EXPECT_TRUE(WaitUntil([&] { return ShownMenu(brellox_->Id()) == NULL; }, kStartTimeoutMs));
}

// The shell link's libraries, COM's among them, stay in a process once they
// have been loaded (Wine's do): the running copy reads its shortcut from the
// file and leaves the writing to a copy started for it, so it never maps them.
TEST_F(StartWithWindows, TheRunningCopyMakesAndRemovesItsShortcutWithoutMappingTheShellLinkLibraries)
{
    Start();
    const int unixProcessId = UnixProcessId("Brellox.exe");
    ASSERT_GT(unixProcessId, 0);
    ASSERT_TRUE(ChooseStartWithWindows(brellox_->Id()));
    ShortcutFacts shortcut;
    ASSERT_TRUE(WaitForShortcut(FullPath(BrelloxExePath()), dir_, &shortcut));
    ASSERT_TRUE(ChooseStartWithWindows(brellox_->Id()));
    ASSERT_TRUE(WaitUntil([] { return !FileExists(StartupShortcut()); }, kStartTimeoutMs)) << "read and removed";

    const std::string maps = ReadTextFile("Z:\\proc\\" + std::to_string(unixProcessId) + "\\maps");
    ASSERT_NE(std::string::npos, maps.find("user32.dll")) << "the mappings of Brellox's process";
    for (const char *library : {"ole32.dll", "combase.dll", "rpcrt4.dll", "shell32.dll", "windows.storage.dll"})
        EXPECT_EQ(std::string::npos, maps.find(library)) << library;
    EXPECT_TRUE(brellox_->Running());
}

// A shortcut of this copy that cannot be deleted stays, and says so.
TEST_F(StartWithWindows, AShortcutThatCannotBeRemovedIsToldWithThePath)
{
    Start();
    ASSERT_TRUE(ChooseStartWithWindows(brellox_->Id()));
    ShortcutFacts shortcut;
    ASSERT_TRUE(WaitForShortcut(FullPath(BrelloxExePath()), dir_, &shortcut));
    ASSERT_TRUE(SetFileAttributesA(StartupShortcut().c_str(), FILE_ATTRIBUTE_READONLY));

    ASSERT_TRUE(ChooseStartWithWindows(brellox_->Id()));
    HWND box = WaitForMessageBox();
    ASSERT_NE(nullptr, box);
    const std::string text = MessageBoxText(box);
    EXPECT_NE(std::string::npos, text.find("Brellox could not remove its shortcut " + StartupShortcut() + ":")) << text;
    EXPECT_NE(std::string::npos, text.find("Brellox will still start with Windows.")) << text;
    SetForegroundWindow(box);
    PressKey(VK_RETURN);
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(box); }, kStartTimeoutMs));
    EXPECT_TRUE(FileExists(StartupShortcut()));
    EXPECT_TRUE(brellox_->Running());
}

} // namespace
