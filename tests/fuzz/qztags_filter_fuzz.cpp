// Feeds arbitrary lines through the tag scanner's line filter, #define filter
// and line classes, checking what the filter promises about its output.
#include "platform/cp932.h"
#include "qztags/line_filter.h"
#include "qztags/tag_classify.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string_view in(reinterpret_cast<const char*>(data), size);
    qztags::ScanState state;
    while (!in.empty()) {
        size_t lf = in.find('\n');
        // Pieces of at most 511 bytes, as the scanner reads them; a piece
        // that ends without a line feed is cut in the middle of its line.
        size_t take = std::min<size_t>(lf == std::string_view::npos ? in.size() : lf, 511);
        bool cut = take < in.size() && in[take] != '\n';
        std::string_view piece = in.substr(0, take);
        in.remove_prefix(take + (cut || take == in.size() ? 0 : 1));

        bool backslash = false;
        std::string top = qztags::FilterLine(state, piece, cut, &backslash);
        if (top.size() > piece.size() + 1) std::abort();
        // Double-byte (or multibyte) text never gets through.
        for (unsigned char c : top)
            if (qz::IsSjisLead(c)) std::abort();
        if (state.brace_depth < 0 || state.paren_depth < 0) std::abort();
        if (backslash && (piece.empty() || piece.back() != '\\')) std::abort();
        qztags::ApplyDefineFilter(state, top, backslash);
        // A head ending in its keyword ("typedef struct") has no quoted
        // name; any other marked text has one.
        if (auto marked = qztags::ClassifyLine(top)) {
            if (marked->empty()) std::abort();
        }
    }
    return 0;
}
