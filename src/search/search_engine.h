// Finding a compiled pattern in a document's text and replacing every match:
// the operations the search commands, the replace modes and grep call.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "document/text_access.h"
#include "search/search_pattern.h"

namespace qz {

enum class SearchDirection { kForward, kBackward };

enum class FindStatus { kFound, kNotFound, kInterrupted };

// pos is 1-based like the store's positions; length in bytes (0 for a match
// of the empty string, which "^" or "x*" can give).
struct FindResult {
    FindStatus status = FindStatus::kNotFound;
    uint32_t pos = 0;
    uint32_t length = 0;
};

// Returns true to stop the search (Esc). Called once per window of 256
// bytes of text and every few thousand steps inside a regular expression.
using InterruptCheck = std::function<bool()>;

// Text is scanned in windows of this many bytes, the interrupt check once per
// window.
constexpr uint32_t kSearchWindow = 256;

// Forward: the first match starting at or after `start` (1-based, up to
// total + 1) that ends at or before `end` (1-based exclusive, default the end
// of the text). Backward: the last match starting before `start` and at or
// after `end` (default 1). Matches start and end on character boundaries;
// the search does not wrap around.
FindResult Find(TextAccess& text, const SearchPattern& pattern, SearchDirection dir, uint32_t start,
                std::optional<uint32_t> end = std::nullopt, const InterruptCheck& interrupt = {});

enum class ReplaceStatus {
    kDone,         // at least one replacement, ran to the end
    kNone,         // nothing found
    kInterrupted,  // stopped by the interrupt check or the progress callback
    kStoreError,   // the store refused a deletion or insertion
};

struct ReplaceAllResult {
    ReplaceStatus status = ReplaceStatus::kNone;
    long count = 0;
    uint32_t next = 0;  // 1-based position just after the last inserted text
};

// Whether the count n is shown while replacing: every n below 10, every 10th
// below 100, every 100th below 1000, every 1000th from then on.
bool IsReplaceProgressPoint(long n);

// Called at the progress points with the count so far; false stops the run.
using ReplaceProgress = std::function<bool(long count)>;

// What the undo history can still take as one step: changes handed to the
// text (one deletion and one insertion per span of neighbouring matches) and
// their bytes, old and new. A run that needs more asks goOn, once, before the
// text has changed at all; false (or no goOn) leaves the text as it was and
// the run ends interrupted with nothing replaced. The default has no limit.
struct ReplaceUndoRoom {
    uint32_t changes = UINT32_MAX;
    uint64_t bytes = UINT64_MAX;
    std::function<bool()> goOn;
};

// From `start` (1-based), repeatedly finds the next match, replaces it by
// `replacement` (bytes as given) and goes on right after the inserted text;
// `end` (1-based exclusive), when given, moves by the length difference.
// After a match of the empty string the search moves on by one character so
// that the run always ends. The interrupt check runs after every replacement
// and during each find. Replacements made before a stop are kept. Matches
// close together reach the text as one deletion and one insertion (spans of
// at most 1 MB), so a long line is laid out again once per span rather than
// once per match.
ReplaceAllResult ReplaceAll(TextAccess& text, const SearchPattern& pattern, std::string_view replacement,
                            uint32_t start, std::optional<uint32_t> end = std::nullopt,
                            const ReplaceProgress& progress = {}, const InterruptCheck& interrupt = {},
                            const ReplaceUndoRoom& undo = {});

// The message-area texts (UTF-8) of a replace-all run.
std::string ReplaceProgressText(long count, bool interruptible);
std::string ReplaceResultText(const ReplaceAllResult& r);

}  // namespace qz
