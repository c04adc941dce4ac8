#include "tools/qztlevel/png_chunks.h"

#include <cstdlib>
#include <vector>

#define ZLIB_CONST
#include <zlib.h>

namespace qzt::png {
namespace {

// Speed first: level pictures are large and made of flat areas and repeats,
// which even the fastest level compresses well once the rows are filtered.
constexpr int DeflateLevel = 1;
constexpr int Channels = 3;
// The filter estimate looks at one pixel in this many.
constexpr size_t EstimateStride = 16;

int paeth(int left, int up, int upLeft) {
    const int p = left + up - upLeft;
    const int toLeft = std::abs(p - left), toUp = std::abs(p - up), toUpLeft = std::abs(p - upLeft);
    if (toLeft <= toUp && toLeft <= toUpLeft) return left;
    return toUp <= toUpLeft ? up : upLeft;
}

// Calls use with the predictor of PNG filter type 0..4: the value a byte is
// stored relative to, from its left, upper and upper-left neighbours.
template <typename Use>
auto withPredictor(uint8_t filter, Use use) {
    switch (filter) {
        case 1: return use([](int left, int, int) { return left; });
        case 2: return use([](int, int up, int) { return up; });
        case 3: return use([](int left, int up, int) { return (left + up) >> 1; });
        case 4: return use([](int left, int up, int upLeft) { return paeth(left, up, upLeft); });
        default: return use([](int, int, int) { return 0; });
    }
}

// The filter whose residuals on a sample of the row's pixels are smallest,
// counting a byte's distance from 0 either way, as the PNG standard suggests.
uint8_t chooseFilter(const uint8_t* row, const uint8_t* above, size_t size) {
    uint8_t best = 0;
    unsigned bestCost = ~0u;
    for (uint8_t filter = 0; filter < 5; ++filter) {
        const unsigned cost = withPredictor(filter, [&](auto predict) {
            unsigned sum = 0;
            for (size_t i = Channels; i < size; i += Channels * EstimateStride) {
                for (size_t c = i; c < i + Channels; ++c) {
                    const int residual = int8_t(row[c] - predict(row[c - Channels], above[c], above[c - Channels]));
                    sum += unsigned(std::abs(residual));
                }
            }
            return sum;
        });
        if (cost < bestCost) best = filter, bestCost = cost;
    }
    return best;
}

// out[0] is the filter type, then the row's residuals.
void filterRow(uint8_t filter, const uint8_t* row, const uint8_t* above, size_t size, uint8_t* out) {
    out[0] = filter;
    withPredictor(filter, [&](auto predict) {
        for (size_t i = 0; i < Channels; ++i) out[1 + i] = uint8_t(row[i] - predict(0, above[i], 0));
        for (size_t i = Channels; i < size; ++i)
            out[1 + i] = uint8_t(row[i] - predict(row[i - Channels], above[i], above[i - Channels]));
    });
}

// A zlib stream appending to a string; ended however the encoding ends.
class Deflater {
public:
    explicit Deflater(std::string& out) : out_(out) {
        started_ = deflateInit2(&stream_, DeflateLevel, Z_DEFLATED, 15, 9, Z_DEFAULT_STRATEGY) == Z_OK;
    }
    ~Deflater() {
        if (started_) deflateEnd(&stream_);
    }
    Deflater(const Deflater&) = delete;
    Deflater& operator=(const Deflater&) = delete;

    bool add(const uint8_t* data, size_t size, bool last) {
        if (!started_) return false;
        stream_.next_in = data;
        stream_.avail_in = uInt(size);
        const int flush = last ? Z_FINISH : Z_NO_FLUSH;
        for (;;) {
            uint8_t buffer[1 << 16];
            stream_.next_out = buffer;
            stream_.avail_out = sizeof buffer;
            const int result = deflate(&stream_, flush);
            if (result == Z_STREAM_ERROR) return false;
            out_.append(reinterpret_cast<const char*>(buffer), sizeof buffer - stream_.avail_out);
            if (last ? result == Z_STREAM_END : stream_.avail_out != 0) return true;
        }
    }

private:
    std::string& out_;
    z_stream stream_{};
    bool started_ = false;
};

}  // namespace

void appendBigEndian(std::string& out, uint32_t value) {
    for (int shift = 24; shift >= 0; shift -= 8) out += char(value >> shift);
}

void appendChunk(std::string& png, const char* type, const std::string& data) {
    appendBigEndian(png, uint32_t(data.size()));
    const size_t start = png.size();
    png.append(type, 4);
    png += data;
    const auto* typeAndData = reinterpret_cast<const Bytef*>(png.data() + start);
    appendBigEndian(png, uint32_t(crc32_z(0, typeAndData, png.size() - start)));
}

bool compressRows(const RgbImage& picture, std::string& data) {
    if (picture.width <= 0 || picture.height <= 0) return false;
    const size_t size = picture.rowBytes();
    const std::vector<uint8_t> zeros(size, 0);
    std::vector<uint8_t> filtered(size + 1);
    Deflater deflater(data);
    for (int y = 0; y < picture.height; ++y) {
        const uint8_t* row = picture.row(y);
        const uint8_t* above = y > 0 ? picture.row(y - 1) : zeros.data();
        filterRow(chooseFilter(row, above, size), row, above, size, filtered.data());
        if (!deflater.add(filtered.data(), filtered.size(), y + 1 == picture.height)) return false;
    }
    return true;
}

std::string rgbHeader(int width, int height) {
    std::string header;
    appendBigEndian(header, uint32_t(width));
    appendBigEndian(header, uint32_t(height));
    header += std::string("\x08\x02\x00\x00\x00", 5);  // 8 bits per channel, RGB, no interlacing
    return header;
}

}  // namespace qzt::png
