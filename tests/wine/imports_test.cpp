// The shipped program must run on a bare Windows: every DLL it imports is part
// of the system. Read from the file's own import table, as the loader reads it.
#include "harness.h"

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

} // namespace
