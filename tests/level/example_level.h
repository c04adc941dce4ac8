// A level in the exact bytes the editor writes: two programs in slots 0 and 2,
// two enemies, image sets in slots 0 and 1.
#pragma once

#include <string>

#include "level/dat_writer.h"
#include "test_support.h"

namespace qzt::testing {

inline std::string exampleLevelBytes() {
    return crlfLines({"Into_the_Caves", "Level_Three", "level3.bmp", "cave.mid", "win.wav", "oneup.wav",
                      "lose.wav", "count.wav", "500", "Y N N N", "", "BEP 0", " RIGHT 12 0 1 ",
                      " DOWNLEFT 4 2 3 ", "EEP", "BEP 2", " STOP 20 0 0 ", "EEP", "",
                      "ENEMY 0 2 5 10 120 40 1 ", "ENEMY 2 1 8 3 300 150 0 ", "", "CIS 1 198 40 50 2 0 ",
                      "CIS 100 198 32 32 4 1 ", "", "END", ""}) +
           SavedFileComment;
}

}  // namespace qzt::testing
