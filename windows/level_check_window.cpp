// The Level Check window: one list, a finding a line, in the order and words
// of "qztlevel lint". The bitmap's size is the loaded bitmap's; a header's
// sound path names a file when one lies there beside the level.
#include "windows/level_check_window.h"

#include <vector>

#include "edit/enemy_selection.h"
#include "edit/level_lint.h"
#include "edit/scrolling.h"
#include "level/dat_reader.h"
#include "win32/controls.h"
#include "win32/document_changes.h"
#include "win32/level_bitmap.h"
#include "win32/session.h"
#include "win32/shell.h"
#include "win32/window_classes.h"
#include "windows/enemy_program_editor.h"
#include "windows/tool_window.h"

namespace qzt {
namespace {

constexpr char Title[] = "Level Check";
constexpr DWORD ListStyle = WS_CHILD | WS_VISIBLE | WS_BORDER | WS_VSCROLL | WS_HSCROLL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT;

ToolWindow tool;
HWND checkWindow;
HWND findingsList;
HWND closeButton;
std::vector<LintFinding> findings;

const ControlLayout Controls[] = {
    {"LISTBOX", nullptr, ListStyle, 5, 5, 610, 240, &findingsList},
    {"BUTTON", "Close", ButtonStyle, 540, 250, 75, 25, &closeButton},
};

LintFacts levelFacts() {
    LintFacts facts;
    if (levelBitmap.bitmap) facts.bitmap = BitmapSize{levelBitmap.width, bitmapRows(levelBitmap.height)};
    const std::string level = session.levelPath;
    if (!level.empty())
        facts.namesFile = [level](const char* path) {
            return levelFileProblem(levelBitmapPath(level.c_str(), path).c_str()).empty();
        };
    return facts;
}

void listFindings() {
    findings = session.document.loaded ? lintLevel(session.document, levelFacts()) : std::vector<LintFinding>{};
    SendMessageA(findingsList, WM_SETREDRAW, FALSE, 0);
    SendMessageA(findingsList, LB_RESETCONTENT, 0, 0);
    for (const LintFinding& finding : findings)
        SendMessageA(findingsList, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(lintFindingText(finding).c_str()));
    if (findings.empty()) SendMessageA(findingsList, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>("No findings."));
    SendMessageA(findingsList, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(findingsList, nullptr, TRUE);
}

// The view looks at level point (x, y), and the windows show the selection.
void showInView(int64_t x, int64_t y) {
    const Scroll scroll = scrollShowing(x, y, verticalScrollMax(levelBitmap.height));
    SetScrollPos(shell.horizontalScrollBar, SB_CTL, scroll.h, TRUE);
    SetScrollPos(shell.verticalScrollBar, SB_CTL, scroll.v, TRUE);
    session.state.trackedHScroll = scroll.h;
    session.state.trackedVScroll = scroll.v;
    selectionChanged();
}

void goTo(const LintFinding& finding) {
    const LevelDocument& doc = session.document;
    EditorState& state = session.state;
    if (state.mode != Normal) return;
    switch (finding.kind) {
    case LintKind::Enemy:
        selectOnlyEnemy(state, finding.slot);
        state.selectedImageSet = -1;
        showInView(doc.enemies[finding.slot].x, doc.enemies[finding.slot].y);
        break;
    case LintKind::ImageSet:
        selectOnlyEnemy(state, -1);
        state.selectedImageSet = finding.slot;
        showInView(doc.imageSets[finding.slot].x, int64_t(doc.imageSets[finding.slot].y) - LevelOriginRow);
        break;
    case LintKind::Program:
        showEnemyProgramEditorAt(finding.slot);
        break;
    case LintKind::Header:
        break;
    }
}

void onCommand(HWND sender, WORD notification) {
    if (sender == closeButton) ShowWindow(checkWindow, SW_HIDE);
    if (sender != findingsList || notification != LBN_DBLCLK) return;
    const LRESULT item = SendMessageA(findingsList, LB_GETCURSEL, 0, 0);
    if (item >= 0 && size_t(item) < findings.size()) goTo(findings[size_t(item)]);
}

void showDocument(DocumentChange event) {
    if (event == DocumentChange::Opened && !session.document.loaded)
        ShowWindow(checkWindow, SW_HIDE);
    else if (IsWindowVisible(checkWindow) && event != DocumentChange::Selected)
        listFindings();
}

}  // namespace

void followLevelForLevelCheck() {
    checkWindow = nullptr;  // a run begins with none
    addDocumentView(showDocument);
}

// Made when first asked for, so start-up does not wait for a window that
// most runs never show.
void showLevelCheckWindow() {
    if (!checkWindow) checkWindow = tool.create(LevelCheckClass, Title, {320, 150, 640, 330}, Controls);
    listFindings();
    ShowWindow(checkWindow, SW_SHOW);
}

LRESULT CALLBACK levelCheckProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (tool.handles(message, wParam, lParam)) return 0;
    if (message != WM_COMMAND) return DefWindowProcA(window, message, wParam, lParam);
    onCommand(reinterpret_cast<HWND>(lParam), HIWORD(wParam));
    return 0;
}

}  // namespace qzt
