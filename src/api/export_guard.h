// The exports' two shared habits: the panel-ID-only pattern, and never letting an exception (an
// allocation failure in the string handling) leave through the C boundary.
#pragma once

#include <string>

namespace varnet {

// Identifies the panel if nothing is known yet (one session), then gives a copy of the ID,
// which may be empty.
std::string PanelIdForQuery();

// Runs body; an exception becomes the export's failure value.
template <class Result, class Body> Result GuardExport(Result failure, Body&& body) noexcept {
    try {
        return body();
    } catch (...) {
        return failure;
    }
}

} // namespace varnet
