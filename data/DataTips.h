#pragma once

#include "DataResult.h"

#include <QString>

#include <functional>

// The tips the member and product screens show, through the application's tip
// routine: a text key in the current language, or a database failure as
// "IDS_WARN_CATCH" followed by the engine's message.
//
// Threading: GUI thread only.
class DataTips {
public:
    static void show(const char* key, int kind);
    static void error(const char* key);
    static void info(const char* key);
    static void success(const char* key);
    static void databaseError(const QString& message);
    // A failed operation: the engine's message, and for a query that could not
    // be opened the key that the screen shows after it (when given).
    static void failure(DataResult result, const QString& message,
                        const char* openFailedKey = nullptr);

    // A search's outcome: true when rows were found; otherwise "nothing found"
    // or the failure is shown.
    static bool searchFound(DataResult result, const QString& message);
    // An add's or change's outcome: true when stored. A failed store first
    // reads the list again through `relist` (it then shows what is really
    // stored), so the error tip is the last word; a query that could not be
    // opened only shows its tips.
    static bool stored(DataResult result, const QString& message,
                       const std::function<void()>& relist, const char* openFailedKey = nullptr);
};
