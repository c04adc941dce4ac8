#include "render/level_render.h"

#include <algorithm>
#include <optional>

#include "edit/slot_rules.h"
#include "edit/view_plan.h"
#include "render/canvas.h"

namespace qzt {
namespace {

void drawStroke(Canvas canvas, const PreviewStroke& stroke) {
    const Rgb colour = rgbOf(stroke.colour);
    if (stroke.kind == PreviewStroke::Line) drawLine(canvas, stroke.from, stroke.to, colour);
    else drawStopCircle(canvas, stroke, colour);
}

void drawOutlines(Canvas canvas, const LevelDocument& doc, Scroll scroll) {
    const Rgb colour = rgbOf(RenderedOutlineColour);
    for (const OutlinePolyline& line : outlinePolylines(doc, scroll))
        for (size_t i = 1; i < line.size(); ++i) drawLine(canvas, line[i - 1], line[i], colour);
}

// The background (the view's own unless another is given), then the layers in
// the order the editor draws them: the view's copies, the tick's path, the
// tick's outlines.
void drawPicture(Canvas canvas, const LevelDocument& doc, const RgbImage& bitmap, Scroll scroll,
                 const std::optional<BitmapCopy>& background, RenderLayers layers, GameFrame frame,
                 const EditorState& state) {
    // Outside recording the plan holds the background and then the enemies' copies.
    const ViewPlan plan = frame ? planLevelViewAt(doc, scroll, *frame) : planLevelView(doc, state, scroll);
    copyPixels(canvas, bitmap, background.value_or(plan.copies.front()));
    if (layers.enemies)
        for (size_t i = 1; i < plan.copies.size(); ++i) copyPixels(canvas, bitmap, plan.copies[i]);
    for (const PlanRectangle& r : plan.rectangles) drawRectangle(canvas, r, rgbOf(SelectionColour));
    if (layers.paths) {
        for (int slot = 0; slot < MAX_ENEMIES; ++slot) {
            if (!doc.enemies[slot].used) continue;
            for (const PreviewStroke& stroke : programStrokes(doc, slot, scroll)) drawStroke(canvas, stroke);
        }
    }
    if (layers.outlines) drawOutlines(canvas, doc, scroll);
}

}  // namespace

std::vector<PreviewStroke> programStrokes(const LevelDocument& doc, int enemySlot, Scroll scroll) {
    std::vector<PreviewStroke> strokes;
    if (!isSlot(enemySlot, MAX_ENEMIES) || !isSlot(doc.enemies[enemySlot].program, MAX_PROGRAMS)) return strokes;
    EditorState state;
    state.selectedEnemy = enemySlot;
    restartPreview(doc, state, scroll);
    const int32_t movements = std::clamp(doc.programs[doc.enemies[enemySlot].program].movementCount, 0, MAX_MOVEMENTS);
    for (int32_t i = 0; i < movements; ++i) {
        const PreviewTick tick = advancePreview(doc, state, scroll);
        if (tick.draws) strokes.push_back(tick.stroke);
    }
    return strokes;
}

RgbImage renderLevel(const LevelDocument& doc, const RgbImage& bitmap, LevelArea area, RenderLayers layers,
                     GameFrame frame) {
    const int firstRow = area == LevelArea::WholeBitmap ? 0 : std::min(LevelOriginRow, bitmap.height);
    RgbImage picture(bitmap.width, bitmap.height - firstRow);
    // At scroll (0, 0) the view's corner shows bitmap row LevelOriginRow.
    const Canvas canvas{picture, ViewLeft, ViewTop - LevelOriginRow + firstRow};
    const BitmapCopy background{canvas.left, canvas.top, picture.width, picture.height, 0, firstRow};
    drawPicture(canvas, doc, bitmap, Scroll{}, background, layers, frame, EditorState{});
    return picture;
}

RgbImage renderView(const LevelDocument& doc, const RgbImage& bitmap, Scroll scroll, RenderLayers layers,
                    GameFrame frame, const EditorState& state) {
    RgbImage picture(ViewWidth, ViewHeight);
    drawPicture(Canvas{picture, ViewLeft, ViewTop}, doc, bitmap, scroll, std::nullopt, layers, frame, state);
    return picture;
}

}  // namespace qzt
