#pragma once

#include "DataResult.h"

#include <QString>

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
};
