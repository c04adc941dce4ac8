// A list of at most Capacity items held in place, for plans made many times a
// second: nothing is allocated.
#pragma once

#include <array>
#include <cstddef>

namespace qzt {

template <typename T, size_t N>
class InPlaceList {
public:
    static constexpr size_t Capacity = N;
    void push_back(const T& item) { items_[size_++] = item; }
    size_t size() const { return size_; }
    bool empty() const { return size_ == 0; }
    const T* begin() const { return items_.data(); }
    const T* end() const { return items_.data() + size_; }
    const T& operator[](size_t i) const { return items_[i]; }
    const T& front() const { return items_[0]; }
    const T& back() const { return items_[size_ - 1]; }

private:
    std::array<T, N> items_{};
    size_t size_ = 0;
};

}  // namespace qzt
