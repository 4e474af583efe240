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

// A value cut by the reader's limit may end inside an escape: drop the half
// escape rather than show a stray backslash.
QString withoutHalfEscape(QString stored) {
    if (stored.size() >= Presetting::kMaxStoredChars) {
        qsizetype backslashes = 0;
        while (backslashes < stored.size() && stored.at(stored.size() - 1 - backslashes) == '\\')
            ++backslashes;
        if (backslashes % 2 == 1)
            stored.chop(1);
    }
    return stored;
}

// Reads a stored text; a key missing from a damaged file reads as the default.
QString storedText(const CTessalyApp& app, const QString& key) {
    const QString path = app.presettingFile();
    const QString missing = QStringLiteral("\x01missing");
    QString stored = IniFile::read(path, Presetting::section(app), key, missing);
    if (stored == missing) {
        stored.clear();
        if (Presetting::section(app) == QLatin1String("0") && QFileInfo::exists(path)) {
            bool found = false;
            stored = IniFile::find(IniFile::parse(Presetting::defaultBytes()), QStringLiteral("0"),
                                   key, &found);
        }
    }
    return withoutHalfEscape(stored);
}

} // namespace

QString Presetting::escapeText(const QString& text) {
    QString out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c == '\\') {
            out += QStringLiteral("\\\\");
        } else if (c == '\r' || c == '\n') {
            if (c == '\r' && i + 1 < text.size() && text.at(i + 1) == '\n')
                ++i;
            out += QStringLiteral("\\n");
        } else {
            out += c;
        }
    }
    return out;
}

QString Presetting::unescapeText(const QString& stored) {
    QString out;
    out.reserve(stored.size());
    for (qsizetype i = 0; i < stored.size(); ++i) {
        const QChar c = stored.at(i);
        if (c == '\\' && i + 1 < stored.size() &&
            (stored.at(i + 1) == 'n' || stored.at(i + 1) == '\\')) {
            out += stored.at(i + 1) == 'n' ? QChar('\n') : QChar('\\');
            ++i;
        } else {
            out += c;
        }
    }
    return out;
}

int Presetting::storedLength(const QString& text) {
    // "k=" is the two characters before the stored value.
    return int(IniFile::entryLine(QStringLiteral("k"), escapeText(text)).size()) - 2;
}

QString Presetting::fitToLimit(const QString& text) {
    if (storedLength(text) <= kMaxStoredChars)
        return text;
    // Binary search on the cut; the stored length grows with the cut.
    qsizetype low = 0;
    qsizetype high = text.size();
    while (low < high) {
        const qsizetype mid = (low + high + 1) / 2;
        if (storedLength(text.left(mid)) <= kMaxStoredChars)
            low = mid;
        else
            high = mid - 1;
    }
    if (low > 0 && text.at(low - 1).isHighSurrogate())
        --low;
    return text.left(low);
}

QString Presetting::gradedText(const CTessalyApp& app, int item, int column) {
    ensureExists(app);
    return unescapeText(storedText(app, key(item, column)));
}

QList<QStringList> Presetting::gradedTextRows(const CTessalyApp& app) {
    ensureExists(app);
    // One read of the file for every text, with the same rules as a single
    // lookup: the default for a key missing from a damaged file, no half escape.
    const QString path = app.presettingFile();
    IniFile::Document doc;
    QFile file(path);
    const bool readable = file.open(QIODevice::ReadOnly);
    if (readable)
        doc = IniFile::parse(file.readAll());
    const IniFile::Document defaults = IniFile::parse(defaultBytes());
    const QString languageSection = section(app);
    QList<QStringList> rows;
    for (int item = 0; item < kRows; ++item) {
        QStringList row;
        for (int column = 0; column < kColumns; ++column) {
            bool found = false;
            QString stored = IniFile::find(doc, languageSection, key(item, column), &found);
            if (!found) {
                stored.clear();
                if (languageSection == QLatin1String("0") && readable)
                    stored =
                        IniFile::find(defaults, QStringLiteral("0"), key(item, column), &found);
            }
            stored.truncate(kMaxStoredChars);
            row << unescapeText(withoutHalfEscape(stored));
        }
        rows << row;
    }
    return rows;
}

bool Presetting::writeGradedText(const CTessalyApp& app, int item, int column,
                                 const QString& text) {
    return save(app, {{key(item, column), text}});
}

QString Presetting::damageReport(const CTessalyApp& app) {
    const QString path = app.presettingFile();
    QFile file(path);
    if (!file.exists())
        return {};
    const QString tip = QStringLiteral("PreSetting/presetting.ini is damaged; it is kept as it is "
                                       "and the shipped texts are shown.");
    if (!file.open(QIODevice::ReadOnly))
        return tip;
    const QByteArray bytes = file.readAll();
    const IniFile::Document doc = IniFile::parse(bytes);
    // A UTF-16 file of an odd length was cut part way through a character.
    if (doc.encoding != IniFile::Encoding::Utf8 && doc.encoding != IniFile::Encoding::Utf8Bom &&
        bytes.size() % 2 != 0)
        return tip;
    const IniFile::Document shipped = IniFile::parse(defaultBytes());
    for (int row = 0; row < kRows; ++row) {
        for (int column = 0; column < kColumns; ++column) {
            bool inShipped = false;
            IniFile::find(shipped, QStringLiteral("0"), key(row, column), &inShipped);
            bool inFile = false;
            IniFile::find(doc, QStringLiteral("0"), key(row, column), &inFile);
            if (inShipped && !inFile)
                return tip;
        }
    }
    return {};
}

bool Presetting::save(const CTessalyApp& app, const QList<QPair<QString, QString>>& entries,
                      QString* error) {
    const QString path = app.presettingFile();
    const auto refuse = [error](const QString& why) {
        if (error)
            *error = why;
        return false;
    };
    if (!ensureExists(app))
        return refuse(QStringLiteral("%1: cannot be created").arg(path));
    const QString damage = damageReport(app);
    if (!damage.isEmpty())
        return refuse(damage);
    QList<QPair<QString, QString>> stored;
    for (const auto& [key, text] : entries) {
        if (storedLength(text) > kMaxStoredChars)
            return refuse(QStringLiteral("%1: the text of %2 is too long").arg(path, key));
        stored.append({key, escapeText(text)});
    }
    return IniFile::writeMany(path, section(app), stored, error);
}

QString Presetting::orgName(const CTessalyApp& app) {
    ensureExists(app);
    return unescapeText(storedText(app, QStringLiteral("OrgName")));
}

bool Presetting::writeOrgName(const CTessalyApp& app, const QString& name) {
    return save(app, {{QStringLiteral("OrgName"), name}});
}
