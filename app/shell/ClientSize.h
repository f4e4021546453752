#pragma once

#include <charconv>
#include <optional>
#include <string_view>

// A window's client size as `--size` gives it to zentor-demo and
// zentor-snapshot alike, "586x822": each side whole pixels from 1 to 16384.
struct ClientSize {
    int width = 0;
    int height = 0;
};

inline constexpr int largestClientSide = 16384;

inline std::optional<ClientSize> parseClientSize(std::string_view text) {
    const auto side = [](std::string_view digits) -> std::optional<int> {
        int value = 0;
        const char* last = digits.data() + digits.size();
        const auto [end, error] = std::from_chars(digits.data(), last, value);
        if (digits.empty() || error != std::errc() || end != last || value < 1 ||
            value > largestClientSide)
            return std::nullopt;
        return value;
    };
    const auto cross = text.find('x');
    if (cross == std::string_view::npos)
        return std::nullopt;
    const auto width = side(text.substr(0, cross));
    const auto height = side(text.substr(cross + 1));
    if (!width || !height)
        return std::nullopt;
    return ClientSize{*width, *height};
}
