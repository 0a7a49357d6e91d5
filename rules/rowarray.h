// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <cassert>
#include <cstddef>

namespace drovane {

// A fixed array addressed from 1, as the game's rows and bars are numbered.
template <typename T, std::size_t N>
class RowArray {
public:
    constexpr T& operator[](int index)
    {
        assert(index >= 1 && static_cast<std::size_t>(index) <= N);
        return items_[static_cast<std::size_t>(index - 1)];
    }
    constexpr const T& operator[](int index) const
    {
        assert(index >= 1 && static_cast<std::size_t>(index) <= N);
        return items_[static_cast<std::size_t>(index - 1)];
    }
    static constexpr int size() { return static_cast<int>(N); }
    constexpr void fill(const T& value) { items_.fill(value); }
    constexpr bool operator==(const RowArray&) const = default;

private:
    std::array<T, N> items_{};
};

}  // namespace drovane
