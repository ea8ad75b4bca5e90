// The exports' two shared habits: the panel-ID-only pattern, and never letting an exception (an
// allocation failure in the string handling) leave through the C boundary.
#pragma once

#include <string>

namespace varnet {

// Identifies the panel if nothing is known yet (one session), then gives a copy of the ID,
// which may be empty.
std::string PanelIdForQuery();

// The C boundary's one exception guard, for the colour exports and the ctl* loader alike: runs
// body, and an exception (the string handling's or the sandbox's std::bad_alloc) becomes the
// export's failure value instead of unwinding into a C caller.
template <class Result, class Body> Result GuardExport(Result failure, Body&& body) noexcept {
    try {
        return body();
    } catch (...) {
        return failure;
    }
}

} // namespace varnet
