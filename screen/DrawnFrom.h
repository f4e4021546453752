#pragma once

#include <array>
#include <cstddef>
#include <cstring>
#include <string_view>
#include <type_traits>

// What one part of a frame was drawn from: the inputs it reads, kept as
// their bytes and compared by value. Equal keys mean the part would be drawn
// to the same pixels again, so a kept frame leaves it as it is; equal bytes
// are a stricter test than equal values (a minus zero, a different NaN),
// which at worst redraws a part that did not need it.
template <std::size_t capacity>
class BasicDrawnFrom {
public:
    template <class T>
    BasicDrawnFrom& operator<<(const T& input) {
        static_assert(std::is_trivially_copyable_v<T>);
        if (size_ + sizeof(T) > capacity) {
            overflowed_ = true; // never equal, so always redrawn
            return *this;
        }
        std::memcpy(bytes_.data() + size_, &input, sizeof(T));
        size_ += sizeof(T);
        return *this;
    }

    // A text as its characters, not as where they are kept.
    BasicDrawnFrom& operator<<(std::u16string_view text) {
        *this << text.size();
        for (const char16_t c : text)
            *this << c;
        return *this;
    }

    bool operator==(const BasicDrawnFrom& other) const {
        return !overflowed_ && !other.overflowed_ && size_ == other.size_ &&
               std::memcmp(bytes_.data(), other.bytes_.data(), size_) == 0;
    }

private:
    std::array<std::byte, capacity> bytes_{};
    std::size_t size_ = 0;
    bool overflowed_ = false;
};

// The largest part, a cylinder graph, reads about 130 bytes.
using DrawnFrom = BasicDrawnFrom<192>;
// One cell of a part's moving layer: a position, a colour, a few characters.
using CellFrom = BasicDrawnFrom<40>;
