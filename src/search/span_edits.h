// Replace-all's edits gathered in memory: the finder reads the text as the
// edits make it, while the text itself receives one deletion and one
// insertion per span of neighbouring edits instead of one pair per match.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "document/text_access.h"

namespace qz {

// A span never grows past this many bytes (old or new text): bounded memory
// once spans go to the text as they close, and bounded work per change.
constexpr uint32_t kSpanBytes = 1u << 20;

class SpanEdits : public TextAccess {
public:
    // With a budget (changes and bytes the undo history can still take as
    // one step) the edits are held back until Flush, so that a run that
    // would exceed it can still leave the text untouched; without one
    // (changes == UINT32_MAX) each span goes to the text as it closes.
    SpanEdits(TextAccess& base, uint32_t changes, uint64_t bytes);

    // The text as the edits make it; read only, edits go through Replace.
    uint32_t GetTextLength() override { return length_; }
    uint32_t ReadText(uint32_t p, char* buf, uint32_t n) override;
    uint32_t InsertText(uint32_t, const char*, uint32_t, uint32_t) override { return 0; }
    uint32_t DeleteText(uint32_t, uint32_t) override { return 0; }

    // Replaces [at, at + removed) (0-based, never before the previous edit's
    // start) by bytes. False when the text refused a span handed to it.
    bool Replace(uint32_t at, uint32_t removed, std::string_view bytes);
    // Whether the edits held back need more than the budget.
    bool OverBudget() const;
    // Hands every edit to the text; from then on spans go as they close.
    // False when the text refused one (those after it are dropped). join:
    // the undo history cannot hold the run, so neighbouring spans are handed
    // over as one.
    bool Flush(bool join = false);
    // Forgets the edits not yet handed to the text.
    void Discard();
    // Edits the text holds so far.
    long Applied() const { return applied_; }

private:
    struct Span {
        uint32_t at = 0;         // start in the edited text, 0-based
        uint32_t old = 0;        // bytes of the text it replaces
        std::string text;        // what stands there now
        int64_t deltaBefore = 0; // size change of the spans before it
        long edits = 0;
        uint32_t End() const { return at + static_cast<uint32_t>(text.size()); }
        int64_t DeltaAfter() const { return deltaBefore + int64_t(text.size()) - old; }
    };

    int64_t Delta() const { return spans_.empty() ? 0 : spans_.back().DeltaAfter(); }
    // Appends bytes [from, to) of the edited text lying past every span.
    void Pull(uint32_t from, uint32_t to, std::string& out);
    void Close();
    void Join();
    bool HandOver();

    TextAccess& base_;
    bool holding_;  // spans wait for Flush
    const uint32_t changesRoom_;
    const uint64_t bytesRoom_;
    uint32_t gap_;
    uint32_t length_;
    std::vector<Span> spans_;
    bool open_ = false;            // the last span may still grow
    uint64_t closedChanges_ = 0, closedBytes_ = 0;
    long applied_ = 0;
};

}  // namespace qz
