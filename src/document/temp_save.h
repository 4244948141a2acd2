// The temporary save: while a document is edited, a copy of its text goes to
// the file the register keeps for its path, so that a crash loses at most the
// last few minutes of work. The per-view timer decides when.
#pragma once

#include <cstdint>

namespace qz {

class CQzedDoc;
class FileOps;
class TempRegister;
struct EnvironSettings;

// Writes the text to the document's temporary copy exactly as a save would
// (its code and line ends, the 0x1A of "WriteEOF"), except that a text the
// code cannot hold all of is written as Shift-JIS: the copy is for getting
// the text back, and a save asks about the loss anyway. The copy is written
// beside the old one and put in its place only when complete, so the last
// good copy survives a crash or a full disk. The document's counters,
// modified flag and undo history are left alone. 1 written, 0 not (silent).
int TemporarySave(CQzedDoc& doc, const TempRegister& reg, FileOps* ops = nullptr);

// The 10-second tick of one view: "Autobk_Mode" bit 0 saves every
// "Autobk_Time" minutes, bit 1 after "Autobk_Len" changed bytes, and either
// only once the text has not changed for a whole tick.
class TempSaveTimer {
public:
    // A tick of the view in the first pane of its window, with the
    // document's changed-bytes counter: true when the temporary save is due
    // now.
    bool Tick(int64_t counter, const EnvironSettings& env);
    // A tick of a view in another pane: it stands ready to test at once
    // should it become the first.
    void OtherPane(const EnvironSettings& env);

    bool Armed() const { return armed_; }
    int Ticks() const { return ticks_; }
    int64_t LastSave() const { return lastSave_; }

private:
    // The idle test: armed and no change since → due (and disarmed);
    // otherwise armed with the counter as it is.
    bool Idle(int64_t counter);

    bool armed_ = false;
    int64_t armedAt_ = 0;
    int ticks_ = 0;
    int64_t lastSave_ = 0;
};

}  // namespace qz
