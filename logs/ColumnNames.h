#pragma once

#include <array>
#include <cstddef>
#include <string_view>

// Column names as logs write them ("Oil Temp (deg F)", "E1 RPM", "OAT [°C]")
// reduced to a key for the alias and unit tables: lower case, blanks and
// punctuation that varies between writers dropped, the degree sign spelt "deg".

inline constexpr std::size_t maxNameKey = 48; // longer names match nothing

struct NameKey {
    std::array<char, maxNameKey> text{};
    std::size_t size = 0;
    bool tooLong = false;

    constexpr std::string_view view() const { return {text.data(), tooLong ? 0 : size}; }
    constexpr void append(std::string_view part) {
        for (const char c : part) {
            if (size == text.size()) {
                tooLong = true;
                return;
            }
            text[size++] = c;
        }
    }
};

// `dropped` lists the characters left out besides blanks: names also drop
// '-' and '.', units keep '-' ("lb-ft", "0-1") and drop '.' ("in. Hg").
constexpr NameKey makeKey(std::string_view raw, std::string_view dropped) {
    NameKey key;
    for (std::size_t i = 0; i < raw.size(); ++i) {
        const char c = raw[i];
        const auto byte = static_cast<unsigned char>(c);
        if (c == ' ' || c == '\t' || c == '_' || dropped.find(c) != std::string_view::npos)
            continue;
        // The degree sign in UTF-8 (C2 B0, or the ordinal C2 BA often typed
        // for it) and in Latin-1 (B0).
        if (byte == 0xC2 && i + 1 < raw.size() &&
            (static_cast<unsigned char>(raw[i + 1]) == 0xB0 ||
             static_cast<unsigned char>(raw[i + 1]) == 0xBA)) {
            key.append("deg");
            ++i;
            continue;
        }
        if (byte == 0xB0) {
            key.append("deg");
            continue;
        }
        key.append(std::string_view(&c, 1));
        if (c >= 'A' && c <= 'Z')
            key.text[key.size - 1] = char(c - 'A' + 'a');
    }
    return key;
}

constexpr NameKey nameKey(std::string_view raw) {
    return makeKey(raw, "-.");
}
constexpr NameKey unitKey(std::string_view raw) {
    return makeKey(raw, ".");
}

// A header split into its name and the unit in a closing pair of round or
// square brackets: "Fuel Flow (gal/hour)" gives "Fuel Flow " and "gal/hour".
struct SplitHeader {
    std::string_view name;
    std::string_view unit;
};

constexpr SplitHeader splitHeader(std::string_view header) {
    while (!header.empty() && (header.back() == ' ' || header.back() == '\t'))
        header.remove_suffix(1);
    if (header.empty())
        return {};
    const char close = header.back();
    const char open = close == ')' ? '(' : close == ']' ? '[' : '\0';
    const std::size_t at = open ? header.rfind(open) : std::string_view::npos;
    if (at == std::string_view::npos)
        return {header, {}};
    return {header.substr(0, at), header.substr(at + 1, header.size() - at - 2)};
}

constexpr bool isNameKey(std::string_view text) {
    return nameKey(text).view() == text;
}
constexpr bool isUnitKey(std::string_view text) {
    return unitKey(text).view() == text;
}
