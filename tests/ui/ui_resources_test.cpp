// What pelox.exe carries besides its code: the dialog template's header (font, size,
// caption), the icon in several sizes, the manifest and the version; and how it imports the
// common controls' initialisation.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "pelox_version.h"
#include "ui/ui_session.h"

namespace {

class Resources : public ::testing::Test {
protected:
    void SetUp() override
    {
        module = LoadLibraryExA((driver_folder() + "pelox.exe").c_str(), nullptr,
                                LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
        ASSERT_NE(nullptr, module);
    }
    void TearDown() override
    {
        if (module != nullptr) FreeLibrary(module);
    }

    // The resource's bytes, empty when it is missing.
    std::string bytes(LPCSTR name, LPCSTR type) const
    {
        HRSRC found = FindResourceA(module, name, type);
        if (found == nullptr) return std::string();
        const char* data = static_cast<const char*>(LockResource(LoadResource(module, found)));
        return std::string(data, SizeofResource(module, found));
    }

    HMODULE module = nullptr;
};

// Reads a NUL-terminated UTF-16 string of ASCII characters, moving past it.
std::string wide_text(const WORD*& p)
{
    std::string text;
    while (*p != 0) text += static_cast<char>(*p++);
    ++p;
    return text;
}

TEST_F(Resources, DialogTemplateHasItsSizeCaptionAndFont)
{
    std::string t = bytes(MAKEINTRESOURCEA(101), MAKEINTRESOURCEA(5));  // RT_DIALOG
    ASSERT_GT(t.size(), 40u);
    const WORD* w = reinterpret_cast<const WORD*>(t.data());
    ASSERT_EQ(1, w[0]);  // DLGTEMPLATEEX
    ASSERT_EQ(0xFFFF, w[1]);
    DWORD exStyle = *reinterpret_cast<const DWORD*>(w + 4);
    DWORD style = *reinterpret_cast<const DWORD*>(w + 6);
    EXPECT_EQ(static_cast<DWORD>(WS_EX_CLIENTEDGE), exStyle);
    EXPECT_EQ(static_cast<DWORD>(WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_MAXIMIZEBOX | DS_MODALFRAME |
                                 DS_CENTER | DS_SETFONT),
              style);
    EXPECT_EQ(82, w[8]);  // "read", "ssec" and 20 rows of four
    EXPECT_EQ(0, static_cast<short>(w[9]));
    EXPECT_EQ(0, static_cast<short>(w[10]));
    EXPECT_EQ(293, w[11]);
    EXPECT_EQ(380, w[12]);
    const WORD* p = w + 13;
    EXPECT_EQ(0, *p++);  // no menu
    EXPECT_EQ(0, *p++);  // the standard dialog class
    EXPECT_EQ("ORVELTIDE", wide_text(p));
    EXPECT_EQ(8, *p++);         // points
    EXPECT_EQ(400, *p++);       // normal weight
    EXPECT_EQ(0, *p++ & 0xFF);  // not italic
    EXPECT_EQ("Lucida Console", wide_text(p));
}

TEST_F(Resources, IconHasSeveralSizes)
{
    std::string group = bytes(MAKEINTRESOURCEA(102), MAKEINTRESOURCEA(14));  // RT_GROUP_ICON
    ASSERT_GE(group.size(), 6u);
    const WORD* header = reinterpret_cast<const WORD*>(group.data());
    EXPECT_EQ(1, header[1]);  // icons
    EXPECT_GE(header[2], 3);
    EXPECT_NE(nullptr, LoadIconA(module, MAKEINTRESOURCEA(102)));
}

TEST_F(Resources, ManifestAsksForCommonControlsSixAsInvoker)
{
    std::string manifest = bytes(MAKEINTRESOURCEA(1), MAKEINTRESOURCEA(24));  // RT_MANIFEST
    EXPECT_NE(std::string::npos, manifest.find("name=\"Microsoft.Windows.Common-Controls\" version=\"6.0.0.0\""));
    EXPECT_NE(std::string::npos, manifest.find("level=\"asInvoker\""));
}

TEST_F(Resources, VersionNamesTheProductAndTheProjectVersion)
{
    std::string path = driver_folder() + "pelox.exe";
    DWORD ignored = 0;
    DWORD size = GetFileVersionInfoSizeA(path.c_str(), &ignored);
    ASSERT_GT(size, 0u);
    std::string info(size, '\0');
    ASSERT_TRUE(GetFileVersionInfoA(path.c_str(), 0, size, &info[0]));

    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    ASSERT_TRUE(VerQueryValueA(&info[0], "\\", reinterpret_cast<void**>(&fixed), &length));
    EXPECT_EQ(static_cast<DWORD>(MAKELONG(PELOX_VERSION_MINOR, PELOX_VERSION_MAJOR)), fixed->dwFileVersionMS);
    EXPECT_EQ(static_cast<DWORD>(MAKELONG(0, PELOX_VERSION_PATCH)), fixed->dwFileVersionLS);

    char* product = nullptr;
    ASSERT_TRUE(VerQueryValueA(&info[0], "\\StringFileInfo\\040904B0\\ProductName", reinterpret_cast<void**>(&product),
                               &length));
    EXPECT_STREQ("ORVELTIDE", product);
}

// Ordinals (or -1 for a name) that the executable imports from comctl32.dll.
std::vector<int> comctl32_imports(const BYTE* base)
{
    std::vector<int> found;
    const IMAGE_NT_HEADERS* nt =
        reinterpret_cast<const IMAGE_NT_HEADERS*>(base + reinterpret_cast<const IMAGE_DOS_HEADER*>(base)->e_lfanew);
    const IMAGE_DATA_DIRECTORY& imports = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
    for (const IMAGE_IMPORT_DESCRIPTOR* d =
             reinterpret_cast<const IMAGE_IMPORT_DESCRIPTOR*>(base + imports.VirtualAddress);
         d->Name != 0; ++d) {
        if (_stricmp(reinterpret_cast<const char*>(base + d->Name), "comctl32.dll") != 0) continue;
        for (const IMAGE_THUNK_DATA* t = reinterpret_cast<const IMAGE_THUNK_DATA*>(base + d->OriginalFirstThunk);
             t->u1.Ordinal != 0; ++t)
            found.push_back(IMAGE_SNAP_BY_ORDINAL(t->u1.Ordinal) ? static_cast<int>(IMAGE_ORDINAL(t->u1.Ordinal)) : -1);
    }
    return found;
}

TEST(Imports, CommonControlsAreInitialisedThroughOrdinal17Only)
{
    HMODULE image = LoadLibraryExA((driver_folder() + "pelox.exe").c_str(), nullptr, DONT_RESOLVE_DLL_REFERENCES);
    ASSERT_NE(nullptr, image);
    EXPECT_EQ(std::vector<int>{17}, comctl32_imports(reinterpret_cast<const BYTE*>(image)));
    FreeLibrary(image);
}

}  // namespace
