// Start-up: the classes, the main window, its controls and menu, the logo,
// the timer, and leaving with no level loaded.
#include <windows.h>

#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "app/editor_globals.h"
#include "app/menu_bar.h"
#include "app/shutdown.h"
#include "app/startup.h"
#include "app/window_classes.h"
#include "gui/gui_support.h"

namespace qzt::gui {
namespace {

struct ExpectedControl {
    const char* className;
    const char* text;
    DWORD style;
    int x, y, width, height;
    HWND MainWindowHandles::*handle;
};

constexpr DWORD Label = 0x5000000B;
constexpr DWORD Edit = 0x50802000;

// Scroll bar sizes are system metrics; -1 here stands for them.
const ExpectedControl Controls[] = {
    {"SCROLLBAR", "(null)", 0x40000000, 10, 390, 500, -1, &MainWindowHandles::horizontalScrollBar},
    {"SCROLLBAR", "(null)", 0x40000001, 510, 10, -1, 380, &MainWindowHandles::verticalScrollBar},
    {"STATIC", "Enemy - ", Label, 525, 10, 150, 20, nullptr},
    {"STATIC", "NONE", Label, 595, 10, 150, 20, &MainWindowHandles::enemyIndexText},
    {"STATIC", "X - ", Label, 530, 32, 150, 20, nullptr},
    {"STATIC", "Y - ", Label, 530, 54, 150, 20, nullptr},
    {"STATIC", "X", Label, 555, 32, 150, 20, &MainWindowHandles::enemyXText},
    {"STATIC", "Y", Label, 555, 54, 150, 20, &MainWindowHandles::enemyYText},
    {"STATIC", "ImageSet - ", Label, 530, 76, 150, 20, nullptr},
    {"EDIT", "", Edit, 605, 76, 25, 20, &MainWindowHandles::enemyImageSetEdit},
    {"STATIC", "Movement - ", Label, 529, 98, 150, 20, nullptr},
    {"EDIT", "", Edit, 607, 98, 25, 20, &MainWindowHandles::enemyProgramEdit},
    {"STATIC", "Hit Pnts - ", Label, 530, 120, 150, 20, nullptr},
    {"EDIT", "", Edit, 600, 120, 25, 20, &MainWindowHandles::enemyHitPointsEdit},
    {"STATIC", "Speed - ", Label, 530, 142, 150, 20, nullptr},
    {"EDIT", "", Edit, 600, 142, 25, 20, &MainWindowHandles::enemySpeedEdit},
    {"STATIC", "Ani-rate - ", Label, 530, 164, 150, 20, nullptr},
    {"EDIT", "", Edit, 600, 164, 25, 20, &MainWindowHandles::enemyAnimationRateEdit},
    {"STATIC", "Imageset - ", Label, 525, 220, 150, 20, nullptr},
    {"STATIC", "NONE", Label, 595, 220, 150, 20, &MainWindowHandles::imageSetIndexText},
    {"STATIC", "X - ", Label, 530, 242, 150, 20, nullptr},
    {"STATIC", "Y - ", Label, 530, 264, 150, 20, nullptr},
    {"STATIC", "X", Label, 555, 242, 150, 20, &MainWindowHandles::imageSetXText},
    {"STATIC", "Y", Label, 555, 264, 150, 20, &MainWindowHandles::imageSetYText},
    {"STATIC", "Frames - ", Label, 530, 286, 150, 20, nullptr},
    {"COMBOBOX", "(null)", 0x50A00003, 530, 308, 100, 90, &MainWindowHandles::framesCombo},
    {"STATIC", "Program being edited - ", Label, 50, 410, 150, 20, nullptr},
    {"STATIC", "NONE", Label, 200, 410, 50, 20, &MainWindowHandles::recordProgramText},
    {"STATIC", "# of steps - ", Label, 275, 410, 75, 20, nullptr},
    {"STATIC", "0", Label, 350, 410, 25, 20, &MainWindowHandles::recordStepsText},
};

std::vector<CreatedWindow> childrenOf(const std::vector<CreatedWindow>& created, HWND parent) {
    std::vector<CreatedWindow> children;
    for (const CreatedWindow& window : created)
        if (window.parent == parent) children.push_back(window);
    return children;
}

std::string text(HWND window) {
    char buffer[256] = {};
    GetWindowTextA(window, buffer, sizeof buffer);
    return buffer;
}

RECT clientRectOf(HWND child) {
    RECT rect;
    GetWindowRect(child, &rect);
    MapWindowPoints(nullptr, GetParent(child), reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

std::string menuText(HMENU menu, int position) {
    char buffer[128] = {};
    GetMenuStringA(menu, UINT(position), buffer, sizeof buffer, MF_BYPOSITION);
    return buffer;
}

using StartupTest = EditorTest;

TEST_F(StartupTest, CreatesTheThirtyControlsInOrderWithTheirClassesTextsStylesAndPositions) {
    ASSERT_TRUE(start());
    const std::vector<CreatedWindow> children = childrenOf(watcher->created(), mainWindow());
    ASSERT_EQ(children.size(), std::size(Controls));

    HWND live = GetWindow(mainWindow(), GW_CHILD);
    for (size_t i = 0; i < children.size(); ++i) {
        SCOPED_TRACE("control " + std::to_string(i + 1));
        const ExpectedControl& expected = Controls[i];
        const CreatedWindow& made = children[i];
        EXPECT_EQ(made.className, expected.className);
        EXPECT_EQ(made.text, expected.text);
        EXPECT_EQ(made.style, expected.style);
        EXPECT_EQ(made.exStyle, 0u);
        EXPECT_EQ(made.menu, nullptr) << "control id";
        EXPECT_EQ(made.x, expected.x);
        EXPECT_EQ(made.y, expected.y);
        if (expected.width >= 0) {
            EXPECT_EQ(made.width, expected.width);
        }
        if (expected.height >= 0) {
            EXPECT_EQ(made.height, expected.height);
        }
        if (expected.handle) {
            EXPECT_EQ(made.window, editor.main.*expected.handle);
        }

        // The real window, in creation order among the main window's children.
        ASSERT_EQ(live, made.window);
        char className[64] = {};
        GetClassNameA(live, className, sizeof className);
        EXPECT_EQ(_stricmp(className, expected.className), 0) << className;
        EXPECT_EQ(text(live), std::strcmp(expected.text, "(null)") == 0 ? "" : expected.text);
        EXPECT_EQ(GetDlgCtrlID(live), 0);
        const RECT rect = clientRectOf(live);
        EXPECT_EQ(rect.left, expected.x);
        EXPECT_EQ(rect.top, expected.y);
        EXPECT_TRUE(IsWindowVisible(live));
        live = GetWindow(live, GW_HWNDNEXT);
    }
    EXPECT_EQ(live, nullptr);
    EXPECT_EQ(children[0].height, GetSystemMetrics(SM_CXHTHUMB));
    EXPECT_EQ(children[1].width, GetSystemMetrics(SM_CYVTHUMB));
}

TEST_F(StartupTest, FramesComboOffersOneToEightFramesWithNothingSelected) {
    ASSERT_TRUE(start());
    HWND combo = editor.main.framesCombo;
    ASSERT_EQ(SendMessageA(combo, CB_GETCOUNT, 0, 0), 8);
    for (int i = 0; i < 8; ++i) {
        char item[8] = {};
        SendMessageA(combo, CB_GETLBTEXT, WPARAM(i), reinterpret_cast<LPARAM>(item));
        EXPECT_EQ(std::string(item), std::to_string(i + 1));
    }
    EXPECT_EQ(SendMessageA(combo, CB_GETCURSEL, 0, 0), CB_ERR);
}

TEST_F(StartupTest, MenuBarHoldsTheNineItemsWithTheirIds) {
    ASSERT_TRUE(start());
    HMENU bar = GetMenu(mainWindow());
    ASSERT_NE(bar, nullptr);
    EXPECT_EQ(bar, editor.main.menuBar);
    ASSERT_EQ(GetMenuItemCount(bar), 4);
    const char* const popups[] = {"File", "Level", "Items", "Enemy Programs"};
    struct Item {
        const char* text;
        UINT id;
    };
    const std::vector<std::vector<Item>> items = {
        {{"Open", 1}, {"Save", 2}, {nullptr, 0}, {"Exit", 3}},
        {{"Properties", 4}},
        {{"New Enemy", 5}, {"New Image Set", 6}},
        {{"Edit an enemy program", 9}, {"New program based on current enemy", 7}},
    };
    for (int p = 0; p < 4; ++p) {
        SCOPED_TRACE(popups[p]);
        EXPECT_EQ(menuText(bar, p), popups[p]);
        HMENU popup = GetSubMenu(bar, p);
        ASSERT_NE(popup, nullptr);
        ASSERT_EQ(GetMenuItemCount(popup), int(items[size_t(p)].size()));
        for (size_t i = 0; i < items[size_t(p)].size(); ++i) {
            const Item& item = items[size_t(p)][i];
            const UINT state = GetMenuState(popup, UINT(i), MF_BYPOSITION);
            if (!item.text) {
                EXPECT_TRUE(state & MF_SEPARATOR) << "item " << i;
                continue;
            }
            EXPECT_FALSE(state & (MF_SEPARATOR | MF_GRAYED | MF_DISABLED | MF_CHECKED)) << item.text;
            EXPECT_EQ(menuText(popup, int(i)), item.text);
            EXPECT_EQ(GetMenuItemID(popup, int(i)), item.id) << item.text;
        }
    }
}

TEST_F(StartupTest, MainWindowIsCentredOnTheWorkAreasRightAndBottomEdges) {
    RECT original;
    ASSERT_TRUE(SystemParametersInfoA(SPI_GETWORKAREA, 0, &original, 0));
    RECT smaller{100, 50, 1024, 738};
    ASSERT_TRUE(SystemParametersInfoA(SPI_SETWORKAREA, 0, &smaller, 0));
    const bool started = start();
    SystemParametersInfoA(SPI_SETWORKAREA, 0, &original, 0);
    ASSERT_TRUE(started);

    ASSERT_FALSE(watcher->created().empty());
    const CreatedWindow& made = watcher->created().front();
    EXPECT_EQ(made.window, mainWindow());
    EXPECT_EQ(made.className, "QZTleveledit");
    EXPECT_EQ(made.text, "QZT Level Editor");
    EXPECT_EQ(made.style, DWORD(WS_OVERLAPPEDWINDOW));
    // The system gives every framed window its edge.
    EXPECT_EQ(made.exStyle & ~DWORD(WS_EX_WINDOWEDGE), 0u);
    EXPECT_EQ(made.parent, nullptr);
    EXPECT_EQ(made.menu, editor.main.menuBar);
    // The left and top edges play no part: 1024 / 2 - 320 and 738 / 2 - 240.
    EXPECT_EQ(made.x, 192);
    EXPECT_EQ(made.y, 129);
    RECT rect;
    GetWindowRect(mainWindow(), &rect);
    EXPECT_EQ(rect.left, 192);
    EXPECT_EQ(rect.top, 129);
    EXPECT_EQ(rect.right - rect.left, 640);
    EXPECT_EQ(rect.bottom - rect.top, 480);
    EXPECT_TRUE(IsWindowVisible(mainWindow()));
    EXPECT_EQ(caption(), "QZT Level Editor");
}

TEST_F(StartupTest, RegistersTheFourClassesAlike) {
    ASSERT_TRUE(start());
    HINSTANCE instance = GetModuleHandleA(nullptr);
    for (const char* name : {LevelPropertiesClass, NewEnemyClass, MainWindowClass, EnemyProgramEditorClass}) {
        SCOPED_TRACE(name);
        WNDCLASSA info{};
        ASSERT_TRUE(GetClassInfoA(instance, name, &info));
        EXPECT_EQ(info.style, UINT(CS_HREDRAW | CS_VREDRAW));
        EXPECT_EQ(info.hbrBackground, reinterpret_cast<HBRUSH>(INT_PTR(COLOR_MENU + 1)));
        EXPECT_EQ(info.hCursor, LoadCursorA(nullptr, IDC_ARROW));
        EXPECT_EQ(info.cbClsExtra, 0);
        EXPECT_EQ(info.cbWndExtra, 0);
        EXPECT_EQ(info.lpszMenuName, nullptr);
        const bool main = std::strcmp(name, MainWindowClass) == 0;
        EXPECT_EQ(info.hIcon, main ? LoadIconA(nullptr, IDI_APPLICATION) : nullptr);
    }
}

// A class of the same name registered first makes the editor's registration fail.
void registerBlocker(const char* name) {
    WNDCLASSA blocker{};
    blocker.lpfnWndProc = DefWindowProcA;
    blocker.hInstance = GetModuleHandleA(nullptr);
    blocker.lpszClassName = name;
    ASSERT_TRUE(RegisterClassA(&blocker));
}

bool registered(const char* name) {
    WNDCLASSA info;
    return GetClassInfoA(GetModuleHandleA(nullptr), name, &info);
}

TEST_F(StartupTest, FirstClassFailingEndsStartUpBeforeAnyOtherClassOrWindow) {
    registerBlocker(LevelPropertiesClass);
    EXPECT_FALSE(start());
    EXPECT_TRUE(watcher->created().empty());
    EXPECT_EQ(editor.main.window, nullptr);
    EXPECT_FALSE(registered(NewEnemyClass));
    EXPECT_FALSE(registered(MainWindowClass));
    EXPECT_FALSE(registered(EnemyProgramEditorClass));
    EXPECT_TRUE(watcher->dialogs().empty());
}

TEST_F(StartupTest, MainClassFailingLeavesTheEarlierTwoAndNoWindow) {
    registerBlocker(MainWindowClass);
    EXPECT_FALSE(start());
    EXPECT_TRUE(watcher->created().empty());
    EXPECT_EQ(FindWindowA(MainWindowClass, nullptr), nullptr);
    EXPECT_TRUE(registered(LevelPropertiesClass));
    EXPECT_TRUE(registered(NewEnemyClass));
    EXPECT_FALSE(registered(EnemyProgramEditorClass));
}

TEST_F(StartupTest, BeginsWithNoLevelTheScrollRangesAndTheViewsClipRegion) {
    ASSERT_TRUE(start());
    EXPECT_EQ(editor.document.loaded, 0);
    EXPECT_EQ(editor.state.mode, Normal);
    int low = -1, high = -1;
    GetScrollRange(editor.main.horizontalScrollBar, SB_CTL, &low, &high);
    EXPECT_EQ(low, 0);
    EXPECT_EQ(high, 140);
    GetScrollRange(editor.main.verticalScrollBar, SB_CTL, &low, &high);
    EXPECT_EQ(low, 0);
    EXPECT_EQ(high, 100);

    RECT clip{};
    ASSERT_EQ(GetRgnBox(editor.viewClipRegion, &clip), SIMPLEREGION);
    EXPECT_TRUE(clip.left == 10 && clip.top == 10 && clip.right == 510 && clip.bottom == 390);
}

TEST_F(StartupTest, FileDialogRecordProposesAnEmptyNameForDatFiles) {
    ASSERT_TRUE(start());
    const OPENFILENAMEA& record = editor.fileDialogRecord;
    EXPECT_EQ(record.lStructSize, sizeof(OPENFILENAMEA));
    EXPECT_EQ(record.hwndOwner, mainWindow());
    EXPECT_EQ(record.hInstance, GetModuleHandleA(nullptr));
    ASSERT_NE(record.lpstrFilter, nullptr);
    EXPECT_EQ(std::string(record.lpstrFilter, 20), std::string("QZT dat file\0*.dat\0\0", 20));
    EXPECT_EQ(record.nFilterIndex, 1u);
    EXPECT_EQ(record.lpstrFile, editor.fileNameBuffer);
    EXPECT_EQ(record.nMaxFile, 500u);
    EXPECT_STREQ(editor.fileNameBuffer, "");
    EXPECT_STREQ(record.lpstrTitle, "Open QZT data file");
    EXPECT_EQ(record.Flags, 0x1804u);
    EXPECT_STREQ(record.lpstrDefExt, "dat");
}

TEST_F(StartupTest, StartsTheQuarterSecondTimerOnTheMainWindow) {
    ASSERT_TRUE(start());
    bool ticked = false;
    for (int wait = 0; wait < 40 && !ticked; ++wait) {
        MSG message;
        while (PeekMessageA(&message, mainWindow(), WM_TIMER, WM_TIMER, PM_REMOVE))
            ticked = ticked || message.wParam == EditorTimerId;
        Sleep(50);
    }
    EXPECT_TRUE(ticked);
    EXPECT_EQ(EditorTimerMilliseconds, 250u);
}

// The logo's fixed place for the length of a test; a logo already there is
// put back afterwards.
class LogoFile {
public:
    LogoFile() {
        std::filesystem::create_directories(Path.parent_path());
        std::error_code none;
        std::filesystem::rename(Path, Kept, none);
    }
    ~LogoFile() {
        std::error_code ignored;
        std::filesystem::remove(Path, ignored);
        std::filesystem::rename(Kept, Path, ignored);
    }
    std::string path() const { return Path.string(); }

private:
    const std::filesystem::path Path = "C:\\QZTedit\\LOGO.bmp";
    const std::filesystem::path Kept = "C:\\QZTedit\\LOGO.bmp.kept";
};

TEST_F(StartupTest, DrawsTheLogoOnceAtItsPlace) {
    LogoFile logo;
    writePictureBmp(logo.path(), 120, 70);
    ASSERT_TRUE(start());
    const ClientPixels pixels(mainWindow(), RECT{170, 50, 290, 120});
    for (int y = 0; y < 70; y += 7)
        for (int x = 0; x < 120; x += 9) ASSERT_EQ(pictureSource(pixels.at(170 + x, 50 + y)), (Point{x, y}));
    EXPECT_EQ(editor.levelBitmap.width, 120);
    EXPECT_EQ(editor.levelBitmap.height, 70);
    EXPECT_NE(editor.levelBitmap.bitmap, nullptr);
}

TEST_F(StartupTest, WithoutALogoStartUpGoesOnWithEmptyCells) {
    LogoFile noLogo;
    ASSERT_TRUE(start());
    EXPECT_EQ(editor.levelBitmap.bitmap, nullptr);
    EXPECT_EQ(editor.levelBitmap.palette, nullptr);
    EXPECT_TRUE(IsWindowVisible(mainWindow()));
}

TEST_F(StartupTest, ClosingWithNoLevelLeavesWithoutAQuestion) {
    ASSERT_TRUE(start());
    HWND window = mainWindow();
    SendMessageA(window, WM_CLOSE, 0, 0);
    EXPECT_TRUE(watcher->dialogs().empty());
    EXPECT_FALSE(IsWindow(window));
    EXPECT_EQ(watcher->destroyMessages(window), 1);
    MSG quit;
    ASSERT_TRUE(PeekMessageA(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(quit.wParam, 0u);
}

TEST_F(StartupTest, ExitEndsTheMessageLoopWithZero) {
    ASSERT_TRUE(start());
    PostMessageA(mainWindow(), WM_COMMAND, MAKEWPARAM(ExitCommand, 0), 0);
    EXPECT_EQ(runMessageLoop(), 0);
    EXPECT_FALSE(IsWindow(mainWindow()));
    EXPECT_TRUE(watcher->dialogs().empty());
}

}  // namespace
}  // namespace qzt::gui
