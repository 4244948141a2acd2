// Decides whether a filtered line is a definition and builds its marked text.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace qztags {

// The marked text of a #define, function head or class/struct/union head
// (defined name in single quotes), or nothing for any other line. text is a
// line after the line and #define filters, without its line feed.
std::optional<std::string> ClassifyLine(std::string_view text);

}  // namespace qztags
