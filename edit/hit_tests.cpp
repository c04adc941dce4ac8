#include "edit/hit_tests.h"

#include "edit/slot_rules.h"

namespace qzt {
namespace {

// 64-bit throughout: a rectangle from the file may reach past 32 bits.
bool strictlyBetween(int64_t value, int64_t low, int64_t high) { return value > low && value < high; }

template <typename Hit>
int firstUsedImageSet(const LevelDocument& doc, Hit hit) {
    for (int i = 0; i < MAX_IMAGE_SETS; ++i)
        if (doc.imageSets[i].used && hit(doc.imageSets[i])) return i;
    return -1;
}

}  // namespace

int imageSetAt(const LevelDocument& doc, Point64 p) {
    return firstUsedImageSet(doc, [p](const ImageSet& s) {
        return strictlyBetween(p.x, s.x, int64_t(s.x) + s.width) && strictlyBetween(p.y, s.y, int64_t(s.y) + s.height);
    });
}

int resizeHandleAt(const LevelDocument& doc, Point64 p) {
    return firstUsedImageSet(doc, [p](const ImageSet& s) {
        const int64_t right = int64_t(s.x) + s.width;
        return strictlyBetween(p.y, s.y, int64_t(s.y) + s.height) && strictlyBetween(p.x, right - 4, right + 2);
    });
}

int enemyAt(const LevelDocument& doc, Point64 p) {
    for (int i = 0; i < MAX_ENEMIES; ++i) {
        const Enemy& e = doc.enemies[i];
        if (!e.used || !isSlot(e.imageSet, MAX_IMAGE_SETS)) continue;
        const ImageSet& s = doc.imageSets[e.imageSet];
        if (strictlyBetween(p.x, e.x, int64_t(e.x) + s.width) && strictlyBetween(p.y, e.y, int64_t(e.y) + s.height))
            return i;
    }
    return -1;
}

}  // namespace qzt
