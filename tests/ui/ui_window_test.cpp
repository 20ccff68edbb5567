// The window as the template makes it: geometry in dialog units, tab order, control kinds and
// styles, the resources inside pelox.exe, and the state before any configuration is loaded.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "pelox_version.h"
#include "sim/sim_tag.h"
#include "ui/ui_session.h"

namespace {

struct Placement {
    int id;
    const char* kind;
    int x, y, width, height;
};

const int kBoxY[20] = {12, 30, 48, 66, 84, 102, 119, 137, 156, 174, 192, 209, 228, 246, 264, 281, 299, 317, 335, 353};
const int kLabelY[20] = {14, 31, 49, 68, 86, 103, 121, 139, 157, 175, 193, 211, 229, 247, 265, 283, 300, 319, 337, 355};
const int kDescriptionY[20] = {15,  33,  51,  69,  87,  105, 122, 140, 159, 177,
                               195, 212, 231, 249, 267, 284, 302, 320, 338, 356};

// Template order, which is also the tab order.
std::vector<Placement> template_controls()
{
    std::vector<Placement> all = {{1005, "Button", 258, 6, 35, 12}, {1007, "Button", 258, 353, 35, 12}};
    for (int row = 0; row < 20; ++row) {
        all.push_back({1200 + row, "Button", 84, kBoxY[row], 24, 13});
        all.push_back({1300 + row, "Static", 6, kLabelY[row], 24, 13});
        all.push_back({1100 + row, "Edit", 30, kBoxY[row], 50, 13});
        all.push_back({1400 + row, "Static", 113, kDescriptionY[row], 139, 13});
    }
    return all;
}

RECT rect_in_dialog(HWND dialog, HWND control)
{
    RECT r;
    GetWindowRect(control, &r);
    MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&r), 2);
    return r;
}

// The dialog base units with which every control sits exactly where its dialog units say.
bool find_base_units(HWND dialog, int* unitX, int* unitY)
{
    std::vector<Placement> all = template_controls();
    for (int cx = 1; cx <= 64; ++cx) {
        for (int cy = 1; cy <= 64; ++cy) {
            bool fits = true;
            for (const Placement& p : all) {
                RECT r = rect_in_dialog(dialog, GetDlgItem(dialog, p.id));
                fits = r.left == MulDiv(p.x, cx, 4) && r.top == MulDiv(p.y, cy, 8) &&
                       r.right - r.left == MulDiv(p.width, cx, 4) && r.bottom - r.top == MulDiv(p.height, cy, 8);
                if (!fits) break;
            }
            if (fits) {
                *unitX = cx;
                *unitY = cy;
                return true;
            }
        }
    }
    return false;
}

std::string class_of(HWND window)
{
    char name[64] = "";
    GetClassNameA(window, name, sizeof name);
    return name;
}

TEST(Window, ControlsSitWhereTheTemplateSaysInTabOrder)
{
    PeloxSession s;
    ASSERT_TRUE(s.start());

    int unitX = 0, unitY = 0;
    ASSERT_TRUE(find_base_units(s.dialog(), &unitX, &unitY)) << "controls off their dialog-unit grid";
    RECT client;
    GetClientRect(s.dialog(), &client);
    EXPECT_EQ(MulDiv(293, unitX, 4), client.right);
    EXPECT_EQ(MulDiv(380, unitY, 8), client.bottom);

    std::vector<Placement> expected = template_controls();
    std::vector<int> order;
    for (HWND c = GetWindow(s.dialog(), GW_CHILD); c != nullptr; c = GetWindow(c, GW_HWNDNEXT))
        order.push_back(GetDlgCtrlID(c));
    ASSERT_EQ(expected.size(), order.size());
    for (size_t i = 0; i < expected.size(); ++i) {
        SCOPED_TRACE(expected[i].id);
        EXPECT_EQ(expected[i].id, order[i]);
        HWND c = s.control(expected[i].id);
        EXPECT_STRCASEEQ(expected[i].kind, class_of(c).c_str());
        LONG style = GetWindowLongA(c, GWL_STYLE);
        std::string kind = expected[i].kind;
        EXPECT_EQ(kind != "Static", (style & WS_TABSTOP) != 0);
        if (kind == "Edit") {
            EXPECT_NE(0, style & ES_AUTOHSCROLL);
            // The window system turns an edit control's WS_BORDER into a sunken client edge.
            EXPECT_TRUE((style & WS_BORDER) != 0 || (GetWindowLongA(c, GWL_EXSTYLE) & WS_EX_CLIENTEDGE) != 0);
        }
        if (kind == "Static") {
            EXPECT_EQ(SS_LEFT, style & SS_TYPEMASK);
        }
        if (kind == "Button") {
            EXPECT_EQ(BS_PUSHBUTTON, style & BS_TYPEMASK);
        }
    }
    EXPECT_EQ(0, s.close());
}

TEST(Window, IsACentredModalPopupWithCaptionAndBoxes)
{
    PeloxSession s;
    ASSERT_TRUE(s.start());
    EXPECT_EQ("#32770", class_of(s.dialog()));
    DWORD style = static_cast<DWORD>(GetWindowLongA(s.dialog(), GWL_STYLE));
    const DWORD bits[] = {WS_POPUP, WS_CAPTION, WS_SYSMENU, WS_MINIMIZEBOX, WS_MAXIMIZEBOX, DS_MODALFRAME, DS_CENTER};
    for (DWORD bit : bits) EXPECT_EQ(bit, style & bit) << std::hex << bit;
    EXPECT_NE(0, GetWindowLongA(s.dialog(), GWL_EXSTYLE) & WS_EX_CLIENTEDGE);
    EXPECT_EQ(nullptr, GetWindow(s.dialog(), GW_OWNER));

    RECT window, screen;
    GetWindowRect(s.dialog(), &window);
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &screen, 0);
    EXPECT_NEAR((screen.left + screen.right) / 2, (window.left + window.right) / 2, 2);
    EXPECT_NEAR((screen.top + screen.bottom) / 2, (window.top + window.bottom) / 2, 2);
    EXPECT_EQ(0, s.close());
}

TEST(Window, WithoutConfigurationRowZeroSaysSoTheRowsStayEmptyAndReadStillShowsTheUid)
{
    PeloxSession s;
    s.set_up_tag([] { sim_set_uid(0xE0021122334455AAull); });
    ASSERT_TRUE(s.start());

    EXPECT_EQ("ORVELTIDE", s.caption());
    for (int row = 0; row < 20; ++row) {
        for (int base : {1100, 1200, 1300, 1400}) {
            SCOPED_TRACE(base + row);
            EXPECT_TRUE(s.visible(base + row));
            EXPECT_FALSE(s.enabled(base + row));
            EXPECT_EQ(base + row == 1100 ? "no Pelox.ini" : "", s.text(base + row));
        }
    }
    std::string ini = s.folder() + "Pelox.ini";
    EXPECT_EQ(0u, s.tip(1100).find("No configuration: " + ini + " cannot be read.")) << s.tip(1100);
    EXPECT_TRUE(s.visible(1007));
    EXPECT_TRUE(s.enabled(1007));
    EXPECT_EQ("ssec", s.text(1007));
    EXPECT_EQ("read", s.text(1005));
    EXPECT_FALSE(s.has_scroll_bar());

    s.click(1005);
    EXPECT_EQ("ORVELTIDE      E0021122334455AA   ", s.caption());
    EXPECT_EQ("no Pelox.ini", s.text(1100));
    EXPECT_FALSE(s.enabled(1200));

    // The system menu's About names the version and the files in use.
    PostMessageA(s.dialog(), WM_SYSCOMMAND, 0x0130, 0);
    HWND about = s.wait_for_other_dialog(100);
    ASSERT_NE(nullptr, about);
    char text[4096] = "";
    GetDlgItemTextA(about, 100, text, sizeof text);
    EXPECT_EQ(std::string("ORVELTIDE, pelox ") + PELOX_VERSION_TEXT + (sizeof(void*) == 8 ? " (64-bit)" : " (32-bit)") +
                  "\r\n\r\nConfiguration: " + ini + " (cannot be read)\r\n\r\nReader library: " + s.folder() +
                  "CR95HF.dll (" + (sizeof(void*) == 8 ? "64-bit" : "32-bit") + "), revision Pelox simulator " +
                  PELOX_VERSION_TEXT + " (the Pelox simulator, not a real reader)\r\n",
              text);
    PostMessageA(about, WM_COMMAND, IDOK, 0);
    for (int waited = 0; waited < 5000 && IsWindow(about); waited += 50) Sleep(50);
    EXPECT_EQ(0, s.close());
}

// Row 0 and About say why there is no configuration, and About what the load skipped; a folder of
// 123 Cyrillic letters is no path too long.
TEST(Window, RowZeroAndAboutSayWhyThereIsNoConfigurationOrWhatWasSkipped)
{
    struct Case {
        int kind;                // 0: Pelox.ini is a folder, 1: another program holds it, 2: as it should be
        std::string tip, about;  // the tooltip's start after the path of Pelox.ini, in About
    } cases[] = {{0, " is a folder or a device, not a file.", "Pelox.ini (cannot be read)"},
                 {1, " cannot be read: another program holds it", "Pelox.ini (cannot be read)"},
                 {2, "", "Pelox.ini (1 line skipped, on line 3: pelox-check tells why)\r\n"}};
    for (const Case& c : cases) {
        PeloxSession s;
        std::string ini = s.folder() + "Pelox.ini";
        if (c.kind == 0) CreateDirectoryA(ini.c_str(), nullptr);
        else s.write_ini("Pwd=0 set=1\r\nName=\"P\" Description=\"p\" Address=0 Type=int8\r\nName=\"X\" typo\r\n");
        HANDLE held = CreateFileA(ini.c_str(), GENERIC_READ, c.kind == 1 ? 0 : FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                  0, nullptr);
        ASSERT_TRUE(c.kind == 2 ? s.start_in(std::wstring(123, L'\x0416')) : s.start());
        EXPECT_EQ(c.kind == 2 ? "Not set" : "no Pelox.ini", s.text(1100));
        EXPECT_EQ(0u, s.tip(1100).find(c.tip.empty() ? "" : "No configuration: " + ini + c.tip)) << s.tip(1100);
        PostMessageA(s.dialog(), WM_SYSCOMMAND, 0x0130, 0);
        wchar_t about[4096] = L"";
        GetDlgItemTextW(s.wait_for_other_dialog(100), 100, about, 4096);
        EXPECT_NE(std::wstring::npos, std::wstring(about).find(std::wstring(c.about.begin(), c.about.end()))) << c.kind;
        CloseHandle(held);
    }
}

TEST(Window, EnterChangesNothingAndEscapeEndsWithExitCodeZero)
{
    PeloxSession s;
    ASSERT_TRUE(s.start());
    s.command(0, IDOK);  // what Enter in a value box sends
    EXPECT_TRUE(s.running());
    EXPECT_TRUE(IsWindowVisible(s.dialog()));

    // Escape and the close box both arrive as IDCANCEL.
    PostMessageA(s.dialog(), WM_COMMAND, MAKEWPARAM(IDCANCEL, 0), 0);
    EXPECT_EQ(0, s.close());
}

}  // namespace
