// Input while a long command (search, replace-all, a log replay) runs on the
// user-interface thread and polls the keyboard for Esc: the window stays
// unresponsive, and what would change the text or the windows under the
// running command waits until it has ended.
#pragma once

#include <QObject>
#include <functional>

namespace qz {

// One poll: delivers waiting events with input held back. Esc and Space are
// noted in *esc and *space (down or up); other keys and mouse input are
// dropped; closing a window is put off until the run is over.
void PollBusyInput(bool* esc, bool* space);

// Whether the caller runs inside such a poll.
bool InBusyPoll();

// Runs fn now, or, when called from inside a poll (a timer, a hand-over from
// a second start, the application coming back to the front), once the
// running command has returned to the event loop. Dropped if context goes.
void RunWhenIdle(QObject* context, std::function<void()> fn);

}  // namespace qz
