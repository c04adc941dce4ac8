// Load steps for the fuzz targets: no screen, and every bitmap path loads.
#pragma once

#include <string>

#include "level/dat_reader.h"

class NoScreen : public qzt::LoadSteps {
public:
    void resetScrollPositions() override {}
    bool replaceBitmap(const char* path, std::string&) override { return path != nullptr; }
    void showBitmap() override {}
    void setCaption(const char*) override {}
};
