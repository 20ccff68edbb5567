// What every binary of the release zip carries: no debugging sections or symbols, the version
// resource with the project's version, and for each program its manifest. Reads the unpacked
// zip in the folder PELOX_PACKAGE_DIR (scripts/test sets it after scripts/package).
#include <windows.h>

#include <gtest/gtest.h>

#include <stdlib.h>

#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "pelox_version.h"

namespace {

std::string package_dir()
{
    const char* dir = getenv("PELOX_PACKAGE_DIR");
    return dir != nullptr ? std::string(dir) + "\\" : std::string();
}

std::string file_bytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

struct Shipped {
    const char* name;
    bool program;
    bool window;
};

const Shipped kShipped[] = {
    {"pelox.exe", true, true},
    {"pelox64.exe", true, true},
    {"pelox-check.exe", true, false},
    {"pelox-check64.exe", true, false},
    {"pelox-tag.exe", true, false},
    {"pelox-tag64.exe", true, false},
    {"simulator\\CR95HF.dll", false, false},
    {"simulator\\64-bit\\CR95HF.dll", false, false},
};

// Section names, long ones ("/4") looked up in the COFF string table when there is one.
std::vector<std::string> section_names(const std::string& image, bool* symbols)
{
    std::vector<std::string> names;
    const IMAGE_DOS_HEADER* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(image.data());
    const IMAGE_FILE_HEADER* file =
        reinterpret_cast<const IMAGE_FILE_HEADER*>(image.data() + dos->e_lfanew + sizeof(DWORD));
    *symbols = file->NumberOfSymbols != 0;  // i686's strip leaves an empty table behind
    size_t strings = file->PointerToSymbolTable + file->NumberOfSymbols * 18;
    const IMAGE_SECTION_HEADER* section = reinterpret_cast<const IMAGE_SECTION_HEADER*>(
        reinterpret_cast<const char*>(file) + sizeof *file + file->SizeOfOptionalHeader);
    for (int i = 0; i < file->NumberOfSections; ++i, ++section) {
        std::string name(reinterpret_cast<const char*>(section->Name),
                         strnlen(reinterpret_cast<const char*>(section->Name), 8));
        if (name[0] == '/' && file->PointerToSymbolTable != 0)
            name = std::string(image.c_str() + strings + atoi(name.c_str() + 1));
        names.push_back(name);
    }
    return names;
}

std::string resource(HMODULE module, LPCSTR name, LPCSTR type)
{
    HRSRC found = FindResourceA(module, name, type);
    if (found == nullptr) return std::string();
    return std::string(static_cast<const char*>(LockResource(LoadResource(module, found))),
                       SizeofResource(module, found));
}

std::string version_text(const std::string& path, const char* key)
{
    DWORD ignored = 0;
    DWORD size = GetFileVersionInfoSizeA(path.c_str(), &ignored);
    std::string info(size, '\0');
    if (size == 0 || !GetFileVersionInfoA(path.c_str(), 0, size, &info[0])) return std::string();
    char* value = nullptr;
    UINT length = 0;
    std::string query = std::string("\\StringFileInfo\\040904B0\\") + key;
    if (!VerQueryValueA(&info[0], query.c_str(), reinterpret_cast<void**>(&value), &length)) return std::string();
    return value;
}

TEST(Package, EveryBinaryIsStrippedAndCarriesItsVersionAndManifest)
{
    ASSERT_FALSE(package_dir().empty()) << "PELOX_PACKAGE_DIR is not set";
    for (const Shipped& shipped : kShipped) {
        std::string path = package_dir() + shipped.name;
        SCOPED_TRACE(shipped.name);
        std::string image = file_bytes(path);
        ASSERT_GT(image.size(), 1024u) << "missing";
        bool symbols = true;
        for (const std::string& name : section_names(image, &symbols)) EXPECT_NE(0u, name.rfind(".debug", 0)) << name;
        EXPECT_FALSE(symbols) << "a symbol table";

        EXPECT_EQ(PELOX_VERSION_TEXT, version_text(path, "FileVersion"));
        EXPECT_EQ(PELOX_VERSION_TEXT, version_text(path, "ProductVersion"));
        EXPECT_EQ("ORVELTIDE", version_text(path, "ProductName"));
        std::string file = shipped.name;
        EXPECT_EQ(file.substr(file.rfind('\\') + 1), version_text(path, "OriginalFilename"));

        HMODULE module =
            LoadLibraryExA(path.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
        ASSERT_NE(nullptr, module);
        std::string manifest = resource(module, MAKEINTRESOURCEA(1), MAKEINTRESOURCEA(24));  // RT_MANIFEST
        FreeLibrary(module);
        if (!shipped.program) continue;
        EXPECT_NE(std::string::npos, manifest.find("level=\"asInvoker\""));
        EXPECT_NE(std::string::npos, manifest.find("{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}")) << "Windows 10 and 11";
        EXPECT_NE(std::string::npos, manifest.find(std::string("version=\"") + PELOX_VERSION_TEXT + ".0\""));
        if (!shipped.window) continue;
        EXPECT_NE(std::string::npos, manifest.find("name=\"Microsoft.Windows.Common-Controls\" version=\"6.0.0.0\""));
        EXPECT_NE(std::string::npos, manifest.find(">PerMonitorV2</dpiAwareness>"));
        EXPECT_NE(std::string::npos, manifest.find(">true</dpiAware>"));
    }
}

}  // namespace
