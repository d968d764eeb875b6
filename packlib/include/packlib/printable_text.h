// File names are the file system's bytes and need not be UTF-8: these turn
// them into text a terminal or a JSON reader can take.
#pragma once

#include <cstddef>
#include <string>

namespace packlib {

bool IsValidUtf8(const std::string& bytes);
// Control bytes, backslashes and bytes that are not UTF-8 written as \xNN
// (a backslash as \\); well-formed characters are kept.
std::string EscapedForTerminal(const std::string& bytes);
// Every byte that is not part of a well-formed UTF-8 character becomes U+FFFD.
std::string WithInvalidUtf8Replaced(const std::string& bytes);
// Characters, not bytes, of well-formed UTF-8 text: what a column needs.
size_t DisplayWidth(const std::string& utf8);

}  // namespace packlib
