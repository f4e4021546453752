#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

// A profile file as text, before it is parsed, and the shape of its errors.

struct FileText {
    std::string text;
    std::string error; // one line when the file cannot be read or is too long
};

// At most `limit` bytes of `path`; a longer file is refused unread beyond
// the limit, so a huge or endless file costs no more than a small one.
FileText readBoundedFile(const std::string& path, std::size_t limit);

struct PreparedText {
    std::string text;
    std::string error; // one line when the text is no profile at all
};

// `text` ready for the TOML parser, or why it is no profile: empty, binary
// data, or text beyond ASCII outside a comment. The parser we build on
// (toml++ 3.3) reaches undefined behaviour on some characters beyond ASCII
// where it looks for blanks; it never sees one: a comment's are handed to it
// as '?', and anywhere else they are refused.
PreparedText prepareText(std::string_view text, std::string_view fileName);

// FILE:LINE:COLUMN: what
std::string lineError(std::string_view file, std::uint32_t line, std::uint32_t column,
                      std::string_view what);

// `text` fit to quote in an error: at most 40 characters, anything below a
// blank shown as '?'.
std::string printable(std::string_view text);

// 1 to TailNumber::maxLength letters, digits and dashes, as registrations are written.
bool validTailNumber(std::string_view text);
