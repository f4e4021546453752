#include "aircraft/ProfileText.h"

#include "aircraft/AircraftProfile.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>

namespace {

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};

// A byte no text file holds: controls other than tab, line feed and carriage return.
bool binaryByte(unsigned char byte) {
    return (byte < 0x20 && byte != '\t' && byte != '\n' && byte != '\r') || byte == 0x7F;
}

} // namespace

FileText readBoundedFile(const std::string& path, std::size_t limit) {
    std::unique_ptr<std::FILE, FileCloser> file(std::fopen(path.c_str(), "rb"));
    if (!file)
        return {.text = {}, .error = path + ": cannot read: " + std::strerror(errno)};
    std::string text(limit + 1, '\0');
    const std::size_t read = std::fread(text.data(), 1, text.size(), file.get());
    if (std::ferror(file.get()))
        return {.text = {}, .error = path + ": cannot read: " + std::strerror(errno)};
    if (read > limit)
        return {.text = {},
                .error = lineError(path, 1, 1,
                                   "longer than " + std::to_string(limit) +
                                       " bytes: no aircraft profile is that long")};
    text.resize(read);
    return {.text = std::move(text), .error = {}};
}

std::string refusedText(std::string_view text, std::string_view fileName) {
    if (std::all_of(text.begin(), text.end(), [](unsigned char c) {
            return c == ' ' || c == '\t' || c == '\n' || c == '\r';
        }))
        return lineError(fileName, 1, 1, "the file is empty: no aircraft profile");
    std::uint32_t line = 1;
    std::uint32_t column = 1;
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (binaryByte(byte)) {
            char code[8];
            std::snprintf(code, sizeof code, "0x%02X", byte);
            return lineError(fileName, line, column,
                             "binary data (byte " + std::string(code) + "): no aircraft profile");
        }
        column = byte == '\n' ? 1 : column + 1;
        line += byte == '\n';
    }
    return {};
}

std::string lineError(std::string_view file, std::uint32_t line, std::uint32_t column,
                      std::string_view what) {
    return std::string(file) + ":" + std::to_string(line) + ":" + std::to_string(column) + ": " +
           std::string(what);
}

std::string printable(std::string_view text) {
    constexpr std::size_t longest = 40;
    std::string shown(text.substr(0, longest));
    std::replace_if(
        shown.begin(), shown.end(), [](char c) { return static_cast<unsigned char>(c) < 0x20; },
        '?');
    return text.size() > longest ? shown + "..." : shown;
}

bool validTailNumber(std::string_view text) {
    return !text.empty() && text.size() <= TailNumber::maxLength &&
           std::all_of(text.begin(), text.end(),
                       [](unsigned char c) { return std::isalnum(c) || c == '-'; });
}
