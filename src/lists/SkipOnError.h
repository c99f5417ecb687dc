#pragma once

#include "db/Error.h"

// The lists pass over a step that fails and go on with the next, keeping what was written so
// far: one bad statement must not cost the teacher the whole list, and no database error may
// reach the event loop.
template <typename Step> void SkipOnError(Step step)
{
    try {
        step();
    } catch (const db::Error &) {
    }
}
