#include "TextLookup.h"

#include "CTessalyApp.h"
#include "IniFile.h"
#include "Presetting.h"

#include <QFile>
#include <QFileInfo>

namespace {
constexpr int kBufferChars = 1000;
}

QString TextLookup::text(const char* key) {
    return text(QString::fromLatin1(key));
}

QString TextLookup::text(const QString& key) {
    QString value = IniFile::read(theApp().m_strLanguagePath, QStringLiteral("Setting"), key,
                                  QStringLiteral("Not found"), kBufferChars, Qt::CaseSensitive);
    value.replace(QStringLiteral("\\n"), QStringLiteral("\n"));
    return value;
}

int TextLookup::gradeOf(int score) {
    if (score >= 90)
        return 0;
    if (score >= 80)
        return 1;
    if (score >= 70)
        return 2;
    if (score >= 60)
        return 3;
    return 4;
}

QString TextLookup::resultText(int item, int score) {
    return Presetting::gradedText(theApp(), item, gradeOf(score));
}

QString TextLookup::suggestionText(int item, int score) {
    return Presetting::gradedText(theApp(), item, gradeOf(score) + 5);
}

QString TextLookup::languageFileName(int index) {
    switch (index) {
    case 0:
        return QStringLiteral("简体中文.ini");
    case 1:
        return QStringLiteral("繁體中文.ini");
    default:
        return QStringLiteral("English.ini");
    }
}

QString TextLookup::languageMissingTip(int index) {
    switch (index) {
    case 0:
        return QStringLiteral("所选语言包丢失，请重新安装本程序！");
    case 1:
        return QStringLiteral("所選語言包丟失，請重新安裝本程序！");
    case 2:
        return QStringLiteral("Language packs is missing, Please reinstall the Program!");
    default:
        return {};
    }
}

bool TextLookup::isDamagedLanguageFile(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return true;
    // A language file holds its captions in section "Setting"; a file without
    // a single entry there is no language file any more.
    const IniFile::Document doc = IniFile::parse(file.readAll());
    bool inSetting = false;
    for (const QString& line : doc.lines) {
        const QString t = line.trimmed();
        if (t.startsWith('[') && t.contains(']')) {
            inSetting = t.mid(1, t.indexOf(']') - 1)
                            .trimmed()
                            .compare(QLatin1String("Setting"), Qt::CaseInsensitive) == 0;
        } else if (inSetting && !t.startsWith(';') && t.indexOf('=') > 0) {
            return false;
        }
    }
    return true;
}

void TextLookup::chooseLanguageFile(int index) {
    CTessalyApp& app = theApp();
    const QString relative = QStringLiteral("Language/") + languageFileName(index);
    app.m_strLanguagePath = app.m_strAppPath + relative;
    if (!QFileInfo::exists(app.m_strLanguagePath)) {
        const QString tip = languageMissingTip(index);
        if (!tip.isEmpty())
            app.ShowTip(tip, CTessalyApp::TipError);
    } else if (isDamagedLanguageFile(app.m_strLanguagePath)) {
        // The file is left exactly as it is, for the operator to rescue.
        app.ShowTip(relative + QStringLiteral(" is damaged; please reinstall the language files."),
                    CTessalyApp::TipError);
    }
}
