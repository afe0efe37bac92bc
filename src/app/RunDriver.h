#pragma once

#include "app/Outcome.h"

namespace app {

class Session;

// Shown when a run has gone through its whole sequence.
inline constexpr const char* kCompletionMessage = "عمليات ارتقاء با موفقيت پايان پذيرفت";
// Said instead, after the product code, where the session asks for it and no step ran.
inline constexpr const char* kNoSequenceMessage =
    "no upgrade sequence for this product; the database was opened and nothing was changed.";
// Room the overall gauge keeps above the table count at the start of a run.
inline constexpr int kOverallGaugeHeadroom = 10;

// An upgrade run, what the start button does: resolve and connect (a cancelled resolution
// stops silently), size the overall gauge, run the product's sequence with its reconnects,
// then move the focus to the exit button, fill the overall gauge and show the completion
// message (or, when no step ran and the session reports that, the code and
// kNoSequenceMessage). The first failure ends the run at once with the error dialog and
// nothing further; the run state, gauges and labels stay as they were at that moment.
Outcome runUpgrade(Session& session);

}  // namespace app
