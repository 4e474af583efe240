#pragma once

#include "CTessalyApp.h"
#include "TempProgramFolder.h"

#include <QStringList>

// A program folder with the shipped texts, presetting file and skin pictures,
// an application state on it, and a record of the tips and confirmations the
// screens asked for. confirmAnswer is what every confirmation returns.
struct ScreenFixture {
    TempProgramFolder dir{"Language", "PreSetting", "icons"};
    CTessalyApp app{dir.path()};
    QStringList tips;
    QStringList confirmations;
    int confirmAnswer = 2;

    ScreenFixture() {
        app.setTipHandler(
            [this](const QString& text, int kind) { tips << QString::number(kind) + ':' + text; });
        app.setConfirmHandler([this](const QString& message, const QString&, const QString&) {
            confirmations << message;
            return confirmAnswer;
        });
    }
};
