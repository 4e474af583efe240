#include "DataTips.h"

#include "CTessalyApp.h"
#include "TextLookup.h"

void DataTips::show(const char* key, int kind) {
    theApp().ShowTip(TextLookup::text(key), kind);
}

void DataTips::error(const char* key) {
    show(key, CTessalyApp::TipError);
}

void DataTips::info(const char* key) {
    show(key, CTessalyApp::TipInfo);
}

void DataTips::success(const char* key) {
    show(key, CTessalyApp::TipSuccess);
}

void DataTips::databaseError(const QString& message) {
    theApp().ShowTip(TextLookup::text("IDS_WARN_CATCH") + message, CTessalyApp::TipError);
}

void DataTips::failure(DataResult result, const QString& message, const char* openFailedKey) {
    databaseError(message);
    if (result == DataResult::OpenFailed && openFailedKey)
        error(openFailedKey);
}

bool DataTips::searchFound(DataResult result, const QString& message) {
    if (result == DataResult::NotFound)
        info("IDS_SEARCH_FAIL");
    else if (result != DataResult::Ok)
        failure(result, message, "IDS_OPEN_DATA_FAILED");
    return result == DataResult::Ok;
}

bool DataTips::stored(DataResult result, const QString& message,
                      const std::function<void()>& relist, const char* openFailedKey) {
    if (result == DataResult::OpenFailed) {
        failure(result, message, openFailedKey);
        return false;
    }
    if (result != DataResult::Ok) {
        relist();
        databaseError(message);
        return false;
    }
    return true;
}
