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

namespace {

// Where the reader stands in TOML's lexis: only comments may hold any text.
enum class Lexis { code, comment, basic, literal, multiBasic, multiLiteral };

bool threeAt(std::string_view text, std::size_t at, char quote) {
    return text.substr(at, 3) == std::string(3, quote);
}

// The lexis after the ASCII byte at `at`, and how many more bytes it takes
// (a triple quote's other two, an escaped character).
std::size_t step(Lexis& lexis, std::string_view text, std::size_t at) {
    const char c = text[at];
    switch (lexis) {
    case Lexis::code:
        if (c == '#')
            lexis = Lexis::comment;
        if (c == '"' || c == '\'') {
            const bool multi = threeAt(text, at, c);
            lexis = c == '"' ? (multi ? Lexis::multiBasic : Lexis::basic)
                             : (multi ? Lexis::multiLiteral : Lexis::literal);
            return multi ? 2 : 0;
        }
        return 0;
    case Lexis::comment:
        lexis = c == '\n' ? Lexis::code : lexis;
        return 0;
    case Lexis::basic:
    case Lexis::literal: {
        const char quote = lexis == Lexis::basic ? '"' : '\'';
        if (c == quote || c == '\n')
            lexis = Lexis::code;
        return lexis == Lexis::basic && c == '\\' && at + 1 < text.size() && text[at + 1] < 0x7F
                   ? 1
                   : 0;
    }
    case Lexis::multiBasic:
    case Lexis::multiLiteral: {
        const char quote = lexis == Lexis::multiBasic ? '"' : '\'';
        if (threeAt(text, at, quote)) {
            lexis = Lexis::code;
            return 2;
        }
        return lexis == Lexis::multiBasic && c == '\\' && at + 1 < text.size() &&
                       text[at + 1] > ' ' && text[at + 1] < 0x7F
                   ? 1
                   : 0;
    }
    }
    return 0;
}

} // namespace

PreparedText prepareText(std::string_view text, std::string_view fileName) {
    if (std::all_of(text.begin(), text.end(), [](unsigned char c) {
            return c == ' ' || c == '\t' || c == '\n' || c == '\r';
        }))
        return {{}, lineError(fileName, 1, 1, "the file is empty: no aircraft profile")};
    std::string prepared(text);
    Lexis lexis = Lexis::code;
    std::uint32_t line = 1;
    std::uint32_t column = 1;
    for (std::size_t at = 0; at < prepared.size(); ++at) {
        const auto byte = static_cast<unsigned char>(prepared[at]);
        if (binaryByte(byte)) {
            char code[8];
            std::snprintf(code, sizeof code, "0x%02X", byte);
            return {{},
                    lineError(fileName, line, column,
                              "binary data (byte " + std::string(code) + "): no aircraft profile")};
        }
        if (byte >= 0x80 && lexis != Lexis::comment)
            return {{},
                    lineError(fileName, line, column,
                              "a profile's keys and values are plain ASCII (degC, not "
                              "\u00B0C); only comments may hold other text")};
        if (byte >= 0x80)
            prepared[at] = '?';
        const std::size_t more = byte < 0x80 ? step(lexis, prepared, at) : 0;
        at += more;
        column = byte == '\n' ? 1 : column + 1 + std::uint32_t(more);
        line += byte == '\n';
    }
    return {std::move(prepared), {}};
}

std::string lineError(std::string_view file, std::uint32_t line, std::uint32_t column,
                      std::string_view what) {
    // One line, whatever the parser quotes from the file.
    std::string text;
    for (const char c : what)
        text += c == '\n' ? "\\n" : c == '\r' ? "\\r" : c == '\t' ? "\\t" : std::string(1, c);
    std::replace_if(
        text.begin(), text.end(), [](char c) { return static_cast<unsigned char>(c) < 0x20; }, '?');
    return std::string(file) + ":" + std::to_string(line) + ":" + std::to_string(column) + ": " +
           text;
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
