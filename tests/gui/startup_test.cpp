// Start-up: the main window, its controls and menu, a class that cannot be
// registered, and leaving with no level loaded.
#include <string>
#include <vector>

#include "app/window_classes.h"
#include "gui/gui_support.h"

namespace qzt::gui {
namespace {

using StartupTest = EditorTest;

TEST_F(StartupTest, MakesTheWindowFromTheWorkAreaWithItsControlsAndMenu) {
    RECT original, work{100, 50, 1024, 738};
    ASSERT_TRUE(SystemParametersInfoA(SPI_GETWORKAREA, 0, &original, 0));
    ASSERT_TRUE(SystemParametersInfoA(SPI_SETWORKAREA, 0, &work, 0));
    const bool started = start();
    SystemParametersInfoA(SPI_SETWORKAREA, 0, &original, 0);
    ASSERT_TRUE(started);
    // Only the right and bottom edges count: 1024 / 2 - 320, 738 / 2 - 240.
    ASSERT_EQ(created[0].window, window);
    EXPECT_EQ(created[0].line, "QZTleveledit|QZT Level Editor|00CF0000|192,129,640,480");

    // The controls in creation order, mostly a label and its value; * marks
    // those whose handles the editor keeps.
    const std::vector<std::string> controls = {
        "SCROLLBAR||40000000|10,390,500," + std::to_string(GetSystemMetrics(SM_CXHTHUMB)) + "*",
        "SCROLLBAR||40000001|510,10," + std::to_string(GetSystemMetrics(SM_CYVTHUMB)) + ",380*",
        "STATIC|Enemy - |5000000B|525,10,150,20", "STATIC|NONE|5000000B|595,10,150,20*",
        "STATIC|X - |5000000B|530,32,150,20", "STATIC|Y - |5000000B|530,54,150,20",
        "STATIC|X|5000000B|555,32,150,20*", "STATIC|Y|5000000B|555,54,150,20*",
        "STATIC|ImageSet - |5000000B|530,76,150,20", "EDIT||50802000|605,76,25,20*",
        "STATIC|Movement - |5000000B|529,98,150,20", "EDIT||50802000|607,98,25,20*",
        "STATIC|Hit Pnts - |5000000B|530,120,150,20", "EDIT||50802000|600,120,25,20*",
        "STATIC|Speed - |5000000B|530,142,150,20", "EDIT||50802000|600,142,25,20*",
        "STATIC|Ani-rate - |5000000B|530,164,150,20", "EDIT||50802000|600,164,25,20*",
        "STATIC|Imageset - |5000000B|525,220,150,20", "STATIC|NONE|5000000B|595,220,150,20*",
        "STATIC|X - |5000000B|530,242,150,20", "STATIC|Y - |5000000B|530,264,150,20",
        "STATIC|X|5000000B|555,242,150,20*", "STATIC|Y|5000000B|555,264,150,20*",
        "STATIC|Frames - |5000000B|530,286,150,20", "COMBOBOX||50A00003|530,308,100,90*",
        "STATIC|Program being edited - |5000000B|50,410,150,20", "STATIC|NONE|5000000B|200,410,50,20*",
        "STATIC|# of steps - |5000000B|275,410,75,20", "STATIC|0|5000000B|350,410,25,20*",
    };
    const MainWindowHandles& m = editor.main;
    const HWND kept[] = {m.horizontalScrollBar, m.verticalScrollBar, m.enemyIndexText, m.enemyXText, m.enemyYText,
                         m.enemyImageSetEdit, m.enemyProgramEdit, m.enemyHitPointsEdit, m.enemySpeedEdit,
                         m.enemyAnimationRateEdit, m.imageSetIndexText, m.imageSetXText, m.imageSetYText,
                         m.framesCombo, m.recordProgramText, m.recordStepsText};
    std::vector<std::string> children;
    size_t next = 0;
    for (const Created& c : created) {
        if (c.parent != window) continue;
        const bool isKept = next < std::size(kept) && c.window == kept[next];
        next += isKept;
        children.push_back(c.line + (isKept ? "*" : ""));
    }
    EXPECT_EQ(children, controls);

    const auto text = [](HMENU menu, int position) {
        char text[128] = {};
        GetMenuStringA(menu, UINT(position), text, sizeof text, MF_BYPOSITION);
        return std::string(text);
    };
    std::string menu;
    HMENU menuBar = GetMenu(window);
    for (int p = 0; p < GetMenuItemCount(menuBar); ++p) {
        HMENU popup = GetSubMenu(menuBar, p);
        menu += text(menuBar, p) + ":";
        for (int i = 0; i < GetMenuItemCount(popup); ++i) {
            const UINT state = GetMenuState(popup, UINT(i), MF_BYPOSITION);
            const std::string item = text(popup, i) + "=" + std::to_string(GetMenuItemID(popup, i));
            menu += state & MF_SEPARATOR ? " -" : " " + item + (state ? "(off)" : "");
        }
        menu += "; ";
    }
    EXPECT_EQ(menu, "File: Open=1 Save=2 - Exit=3; Level: Properties=4; Items: New Enemy=5 New Image Set=6; "
                    "Enemy Programs: Edit an enemy program=9 New program based on current enemy=7; ");
}

// The logo is drawn once, at (170, 50), as its bitmap holds it.
TEST_F(StartupTest, DrawsTheLogo) {
    ASSERT_TRUE(start());
    const LevelBitmapCells& logo = editor.levelBitmap;
    ASSERT_TRUE(logo.bitmap) << "the test prefix has a logo";
    const Pixels shown = readPixels({170, 50, 170 + logo.width, 50 + logo.height});
    std::vector<Rgb> own(size_t(logo.width) * size_t(logo.height));
    BITMAPINFO info{{sizeof(BITMAPINFOHEADER), logo.width, -logo.height, 1, 32, BI_RGB, 0, 0, 0, 0, 0}, {}};
    HDC window = GetDC(editor.main.window);
    GetDIBits(window, logo.bitmap, 0, UINT(logo.height), own.data(), &info, DIB_RGB_COLORS);
    ReleaseDC(editor.main.window, window);
    for (Rgb& colour : own) colour &= 0xFFFFFF;
    EXPECT_TRUE(shown.colours == own);
}

TEST_F(StartupTest, AClassThatCannotBeRegisteredEndsStartUpBeforeTheLaterClassesAndAnyWindow) {
    WNDCLASSA blocker{0, DefWindowProcA, 0, 0, GetModuleHandleA(nullptr), nullptr, nullptr, nullptr, nullptr,
                      MainWindowClass};
    ASSERT_TRUE(RegisterClassA(&blocker));
    EXPECT_FALSE(start());
    EXPECT_TRUE(created.empty());
    WNDCLASSA info;
    EXPECT_TRUE(GetClassInfoA(blocker.hInstance, NewEnemyClass, &info));
    EXPECT_FALSE(GetClassInfoA(blocker.hInstance, EnemyProgramEditorClass, &info));
}

TEST_F(StartupTest, WithNoLevelSaveDoesNothingAndClosingLeavesWithoutAQuestion) {
    ASSERT_TRUE(start("   "));
    send(SaveCommand);
    close();
    EXPECT_TRUE(dialogs.empty());
    EXPECT_TRUE(ended());
}

}  // namespace
}  // namespace qzt::gui
