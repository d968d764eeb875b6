// Small text helpers shared by the host's parts.
#pragma once

#include <cstdint>
#include <string>

#include "c4d_function_table.h"
#include "platform/platform.h"
#include "text/english_counts.h"

namespace simhost {

// Text in double quotes; control bytes and quotes escaped, other bytes kept.
std::string QuoteText(const std::string& text);
// Hands text to a module's sink; a null sink is skipped.
void SendText(c4d_text_sink sink, void* ctx, const std::string& text);
// A module's zero-terminated text, empty for null.
std::string FromCText(const char* text);
// Folder path without trailing separators, "." and ".." parts resolved.
std::string NormalFolder(const std::string& path);
// The directory part of a path: "/a/b" gives "/a", "/a" gives "/", "a" gives "".
std::string ParentFolder(const std::string& path);
using platform::JoinPath;
// A four-character code as text, for ids such as 'keyb'.
std::string FourCc(int32_t code);

using lumidrome::Counted;

}  // namespace simhost
