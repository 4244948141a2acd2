// One file of a grep run: read as the editor reads it, searched line by line,
// its hits formatted so that the editor's tag jump reads them back.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "document/utf8_convert.h"
#include "search/search_pattern.h"

namespace qzgrep {

// Reads the file the way the editor opens it with automatic code detection:
// UTF-8, JIS, then EUC, else Shift-JIS, converted to Shift-JIS with carriage
// returns, NUL and 0x1A bytes dropped. False with problem set (UTF-8, no
// program name) when it cannot be read or is too large for the engine.
// A UTF-8 file leaves the forms of its two-form characters in *utf8Forms
// (when given), so that its lines print as they stand in the file; others
// leave it null.
bool LoadSjisText(const std::string& path, std::string& text, std::string& problem,
                  std::optional<qz::Utf8Forms>* utf8Forms = nullptr);

// The same on bytes already in memory.
std::string BytesToSjisText(std::string bytes, std::optional<qz::Utf8Forms>* utf8Forms = nullptr);

// Calls hit(line, text) for every line (1-based number, Shift-JIS bytes
// without the line feed) holding a match that lies inside the line; returns
// the number of such lines.
long SearchLines(std::string_view text, const qz::SearchPattern& pattern,
                 const std::function<void(long line, std::string_view text)>& hit);

// Appends «name line: text» and a line feed to out: the name as given
// (quoted with quoteName), the line converted to UTF-8 (in the forms of a
// UTF-8 file when given).
void AppendHit(std::string& out, const std::string& name, bool quoteName, long line,
               std::string_view sjisLine, const qz::Utf8Forms* utf8Forms = nullptr);

}  // namespace qzgrep
