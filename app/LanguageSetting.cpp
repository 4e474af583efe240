#include "LanguageSetting.h"

#include "CTessalyApp.h"
#include "IniFile.h"

#include <QFileInfo>

int LanguageSetting::read(const CTessalyApp& app) {
    const QString path = app.settingsFile();
    if (!QFileInfo(path).isFile())
        return 0;
    const int value =
        IniFile::readInt(path, QStringLiteral("setup"), QStringLiteral("language"), 0);
    return (value >= 0 && value < kLanguages) ? value : -1;
}

bool LanguageSetting::write(const CTessalyApp& app, int index) {
    QString error;
    if (IniFile::write(app.settingsFile(), QStringLiteral("setup"), QStringLiteral("language"),
                       QString::number(index), &error))
        return true;
    // The choice holds for this run but will not be remembered: say so.
    app.ShowTip(QStringLiteral("Setup.ini: the language choice cannot be saved (%1)").arg(error),
                CTessalyApp::TipError);
    return false;
}
