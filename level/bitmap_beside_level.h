// A level's bitmap is found relative to the level's folder, so a level saved
// into another folder needs its bitmap there too.
#pragma once

#include <string>

namespace qzt {

// True when a save of the level at fromLevel to toLevel leaves its bitmap
// behind: found beside fromLevel, where loading looks, but not beside
// toLevel. False when fromLevel is empty: the level has no folder yet.
bool bitmapLeftBehind(const std::string& fromLevel, const std::string& toLevel, const char* bitmapPath);

// Copies the bitmap beside fromLevel to the same place beside toLevel,
// making the folders on the way; the copy takes its place in one step.
// False, with the path at fault and the cause in why, when it could not.
bool copyBitmapBeside(const std::string& fromLevel, const std::string& toLevel, const char* bitmapPath,
                      std::string& why);

}  // namespace qzt
