#pragma once

#include "CTessalyApp.h"
#include "CameraDevice.h"
#include "TempProgramFolder.h"
#include "TextLookup.h"

#include <QElapsedTimer>
#include <QStringList>

#include <vector>

// A program folder with the shipped texts, presetting file and skin pictures,
// an application state on it in English, and the tips the screens asked for ("kind:text").
struct ComparisonFixture {
    TempProgramFolder dir{"Language", "PreSetting", "icons"};
    CTessalyApp app{dir.path()};
    QStringList tips;

    ComparisonFixture() {
        TextLookup::chooseLanguageFile(2);
        app.setTipHandler(
            [this](const QString& text, int kind) { tips << QString::number(kind) + ':' + text; });
    }
};

// A camera device that only records its light switches and when they came.
class FakeComparisonCamera : public CameraDevice {
public:
    struct LightCall {
        int mode;
        qint64 atMs;
    };

    FakeComparisonCamera() { m_clock.start(); }

    int Open() override { return 0; }
    void SetLightMode(int mode) override { calls.push_back({mode, m_clock.elapsed()}); }
    bool isStreaming() const override { return true; }

    std::vector<LightCall> calls;

private:
    QElapsedTimer m_clock;
};
