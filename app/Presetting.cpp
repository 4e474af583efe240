#include "Presetting.h"

#include "CTessalyApp.h"
#include "IniFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStringEncoder>

static void initPresettingResource() {
    Q_INIT_RESOURCE(presetting);
}

QString Presetting::key(int item, int column) {
    return QStringLiteral("result[%1][%2]").arg(item).arg(column);
}

QByteArray Presetting::defaultBytes() {
    initPresettingResource();
    // The source is kept as UTF-8 text in the repository for readable diffs; the
    // file the program writes is UTF-16 LE with BOM and CR LF.
    QFile source(QStringLiteral(":/presetting/presetting.txt"));
    if (!source.open(QIODevice::ReadOnly))
        return {};
    QString text = QString::fromUtf8(source.readAll());
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace('\n', QStringLiteral("\r\n"));
    return QByteArray("\xFF\xFE", 2) + QStringEncoder(QStringEncoder::Utf16LE).encode(text);
}

bool Presetting::ensureExists(const CTessalyApp& app) {
    const QString path = app.presettingFile();
    if (QFileInfo::exists(path))
        return true;
    QDir().mkpath(QFileInfo(path).absolutePath());
    QSaveFile out(path);
    if (!out.open(QIODevice::WriteOnly))
        return false;
    const QByteArray bytes = defaultBytes();
    if (bytes.isEmpty() || out.write(bytes) != bytes.size()) {
        out.cancelWriting();
        return false;
    }
    return out.commit();
}

QString Presetting::section(const CTessalyApp& app) {
    return QString::number(app.m_nLanguage);
}

namespace {

// A stored line break comes back as a line feed.
QString storedToText(QString text) {
    text.replace(QStringLiteral("\\n"), QStringLiteral("\n"));
    return text;
}

} // namespace

QString Presetting::gradedText(const CTessalyApp& app, int item, int column) {
    ensureExists(app);
    return storedToText(IniFile::read(app.presettingFile(), section(app), key(item, column)));
}

QList<QStringList> Presetting::gradedTextRows(const CTessalyApp& app) {
    ensureExists(app);
    IniFile::Document doc;
    QFile file(app.presettingFile());
    if (file.open(QIODevice::ReadOnly))
        doc = IniFile::parse(file.readAll());
    const QString languageSection = section(app);
    QList<QStringList> rows;
    for (int item = 0; item < kRows; ++item) {
        QStringList row;
        for (int column = 0; column < kColumns; ++column) {
            bool found = false;
            QString text = IniFile::find(doc, languageSection, key(item, column), &found);
            // The same 999-character limit as a single lookup.
            text.truncate(999);
            row << storedToText(found ? text : QString());
        }
        rows << row;
    }
    return rows;
}

bool Presetting::writeGradedText(const CTessalyApp& app, int item, int column,
                                 const QString& text) {
    ensureExists(app);
    return IniFile::write(app.presettingFile(), section(app), key(item, column), text);
}

QString Presetting::orgName(const CTessalyApp& app) {
    ensureExists(app);
    return IniFile::read(app.presettingFile(), section(app), QStringLiteral("OrgName"));
}

bool Presetting::writeOrgName(const CTessalyApp& app, const QString& name) {
    ensureExists(app);
    return IniFile::write(app.presettingFile(), section(app), QStringLiteral("OrgName"), name);
}
