#pragma once

// Outcome of a table operation. The screens turn it into their tips:
// OpenFailed and StoreFailed carry the engine's message in lastError().
enum class DataResult {
    Ok,
    NotFound,    // the search or the selecting query returned no row
    OpenFailed,  // the query could not be opened (or the file not connected)
    StoreFailed, // the query was open but the row could not be stored or deleted
};
