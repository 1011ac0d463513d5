#pragma once

#include <algorithm>
#include <cstddef>
#include <vector>

namespace plexion {

// An array that grows in steps: by its growth step, or, when that is 0, by
// max(4, min(1024, size / 8)) elements, and at least to the size asked for.
// New elements are zero.
template <typename T>
class CGrowableArray {
public:
    int Size() const { return static_cast<int>(data_.size()); }
    int Capacity() const { return static_cast<int>(data_.capacity()); }
    void SetGrowthStep(int step) { growthStep_ = std::max(0, step); }

    void SetSize(int size) {
        size = std::max(0, size);
        Reserve(size);
        data_.resize(static_cast<std::size_t>(size), T{});
    }
    void Add(T value) {
        Reserve(Size() + 1);
        data_.push_back(value);
    }
    void InsertAt(int index, T value) {
        index = std::clamp(index, 0, Size());
        Reserve(Size() + 1);
        data_.insert(data_.begin() + index, value);
    }
    void RemoveAt(int index) { data_.erase(data_.begin() + index); }
    void RemoveAll() {
        data_.clear();
        data_.shrink_to_fit();
    }

    T& operator[](int index) { return data_[static_cast<std::size_t>(index)]; }
    const T& operator[](int index) const { return data_[static_cast<std::size_t>(index)]; }
    T* Data() { return data_.data(); }
    const T* Data() const { return data_.data(); }
    auto begin() { return data_.begin(); }
    auto end() { return data_.end(); }
    auto begin() const { return data_.begin(); }
    auto end() const { return data_.end(); }

private:
    void Reserve(int size) {
        if (size <= Capacity()) {
            return;
        }
        const int step = growthStep_ > 0 ? growthStep_ : std::max(4, std::min(1024, Size() / 8));
        data_.reserve(static_cast<std::size_t>(std::max(size, Capacity() + step)));
    }

    std::vector<T> data_;
    int growthStep_ = 0;
};

}  // namespace plexion
