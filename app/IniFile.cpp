#include "IniFile.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStringDecoder>
#include <QStringEncoder>

namespace {

std::function<void()>& beforeCommitHook() {
    static std::function<void()> hook;
    return hook;
}

QString sectionName(const QString& line, bool* isSection) {
    const QString t = line.trimmed();
    *isSection = t.startsWith('[') && t.contains(']');
    if (!*isSection)
        return {};
    return t.mid(1, t.indexOf(']') - 1).trimmed();
}

// Splits "key = value" into its trimmed parts; false for lines without '='.
bool splitEntry(const QString& line, QString* key, QString* value) {
    const int eq = line.indexOf('=');
    if (eq < 0)
        return false;
    *key = line.left(eq).trimmed();
    *value = line.mid(eq + 1).trimmed();
    return true;
}

QString unquote(const QString& v) {
    if (v.size() >= 2 && (v.front() == '"' || v.front() == '\'') && v.back() == v.front())
        return v.mid(1, v.size() - 2);
    return v;
}

bool sameName(const QString& a, const QString& b) {
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

// Index of the section header line, -1 when absent.
int findSection(const QStringList& lines, const QString& section) {
    for (int i = 0; i < lines.size(); ++i) {
        bool isSection = false;
        const QString name = sectionName(lines[i], &isSection);
        if (isSection && sameName(name, section))
            return i;
    }
    return -1;
}

// First line after the section's entries (the next header or the end).
int sectionEnd(const QStringList& lines, int header) {
    for (int i = header + 1; i < lines.size(); ++i) {
        bool isSection = false;
        sectionName(lines[i], &isSection);
        if (isSection)
            return i;
    }
    return int(lines.size());
}

bool isComment(const QString& line) {
    const QString t = line.trimmed();
    return t.startsWith(';');
}

} // namespace

IniFile::Document IniFile::parse(const QByteArray& bytes) {
    Document doc;
    QString text;
    const auto b = [&](int i) { return static_cast<unsigned char>(bytes[i]); };
    if (bytes.size() >= 2 && b(0) == 0xFF && b(1) == 0xFE) {
        doc.encoding = Encoding::Utf16LE;
        text = QStringDecoder(QStringDecoder::Utf16LE).decode(bytes.mid(2));
    } else if (bytes.size() >= 2 && b(0) == 0xFE && b(1) == 0xFF) {
        doc.encoding = Encoding::Utf16BE;
        text = QStringDecoder(QStringDecoder::Utf16BE).decode(bytes.mid(2));
    } else if (bytes.size() >= 3 && b(0) == 0xEF && b(1) == 0xBB && b(2) == 0xBF) {
        doc.encoding = Encoding::Utf8Bom;
        text = QString::fromUtf8(bytes.mid(3));
    } else {
        doc.encoding = Encoding::Utf8;
        text = QString::fromUtf8(bytes);
    }
    // A NUL ends the readable text, as it ends a C string.
    const int nul = text.indexOf(QChar(0));
    if (nul >= 0)
        text.truncate(nul);

    const int firstBreak = text.indexOf('\n');
    if (firstBreak >= 0)
        doc.newline = (firstBreak > 0 && text[firstBreak - 1] == '\r') ? QStringLiteral("\r\n")
                                                                       : QStringLiteral("\n");
    doc.endsWithNewline = text.isEmpty() || text.endsWith('\n');
    doc.lines = text.split('\n');
    if (doc.endsWithNewline && !doc.lines.isEmpty())
        doc.lines.removeLast();
    for (QString& line : doc.lines) {
        if (line.endsWith('\r'))
            line.chop(1);
    }
    return doc;
}

QByteArray IniFile::serialize(const Document& doc) {
    QString text = doc.lines.join(doc.newline);
    if (doc.endsWithNewline && !doc.lines.isEmpty())
        text += doc.newline;
    switch (doc.encoding) {
    case Encoding::Utf16LE:
        return QByteArray("\xFF\xFE", 2) + QStringEncoder(QStringEncoder::Utf16LE).encode(text);
    case Encoding::Utf16BE:
        return QByteArray("\xFE\xFF", 2) + QStringEncoder(QStringEncoder::Utf16BE).encode(text);
    case Encoding::Utf8Bom:
        return QByteArray("\xEF\xBB\xBF", 3) + text.toUtf8();
    case Encoding::Utf8:
        break;
    }
    return text.toUtf8();
}

QString IniFile::find(const Document& doc, const QString& section, const QString& key, bool* found,
                      Qt::CaseSensitivity keyCase) {
    *found = false;
    const int header = findSection(doc.lines, section);
    if (header < 0)
        return {};
    const int end = sectionEnd(doc.lines, header);
    for (int i = header + 1; i < end; ++i) {
        QString k, v;
        if (isComment(doc.lines[i]) || !splitEntry(doc.lines[i], &k, &v))
            continue;
        if (k.compare(key, keyCase) == 0) {
            *found = true;
            return unquote(v);
        }
    }
    return {};
}

void IniFile::set(Document& doc, const QString& section, const QString& key, const QString& value) {
    QString stored = value;
    stored.replace(QStringLiteral("\r\n"), QStringLiteral("\\n"));
    stored.replace('\n', QStringLiteral("\\n"));
    stored.replace('\r', QStringLiteral("\\n"));
    const QString entry = key + '=' + stored;

    int header = findSection(doc.lines, section);
    if (header < 0) {
        doc.lines << ('[' + section + ']') << entry;
        doc.endsWithNewline = true;
        return;
    }
    const int end = sectionEnd(doc.lines, header);
    int lastEntry = header;
    for (int i = header + 1; i < end; ++i) {
        if (doc.lines[i].trimmed().isEmpty())
            continue;
        lastEntry = i;
        QString k, v;
        if (!isComment(doc.lines[i]) && splitEntry(doc.lines[i], &k, &v) && sameName(k, key)) {
            doc.lines[i] = entry;
            return;
        }
    }
    doc.lines.insert(lastEntry + 1, entry);
}

QString IniFile::read(const QString& path, const QString& section, const QString& key,
                      const QString& def, int maxChars, Qt::CaseSensitivity keyCase) {
    QFile file(path);
    QString value = def;
    if (file.open(QIODevice::ReadOnly)) {
        bool found = false;
        const QString v = find(parse(file.readAll()), section, key, &found, keyCase);
        if (found)
            value = v;
    }
    if (maxChars > 0 && value.size() > maxChars - 1)
        value.truncate(maxChars - 1);
    return value;
}

int IniFile::readInt(const QString& path, const QString& section, const QString& key, int def) {
    const QString v = read(path, section, key, QString());
    if (v.isEmpty())
        return def;
    // Leading decimal digits count, as the platform's integer reader takes them.
    int i = 0;
    bool negative = false;
    if (i < v.size() && (v[i] == '-' || v[i] == '+'))
        negative = v[i++] == '-';
    qint64 n = 0;
    bool any = false;
    for (; i < v.size() && v[i].isDigit() && n < 0x7FFFFFFF; ++i) {
        n = n * 10 + v[i].digitValue();
        any = true;
    }
    if (!any)
        return 0;
    return int(negative ? -n : n);
}

bool IniFile::write(const QString& path, const QString& section, const QString& key,
                    const QString& value) {
    Document doc;
    QFileInfo info(path);
    if (info.exists()) {
        // A read-only file stays read-only: the rename below would replace it.
        if (!info.isFile() || !info.isWritable() ||
            !(info.permissions() & (QFile::WriteOwner | QFile::WriteGroup | QFile::WriteOther)))
            return false;
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly))
            return false;
        doc = parse(file.readAll());
    } else {
        doc.lines.clear();
    }
    set(doc, section, key, value);

    QSaveFile out(path);
    if (!out.open(QIODevice::WriteOnly))
        return false;
    const QByteArray bytes = serialize(doc);
    if (out.write(bytes) != bytes.size()) {
        out.cancelWriting();
        return false;
    }
    if (beforeCommitHook())
        beforeCommitHook()();
    if (!out.commit())
        return false;
    if (info.exists())
        QFile::setPermissions(path, info.permissions());
    return true;
}

void IniFile::setBeforeCommitHookForTesting(std::function<void()> hook) {
    beforeCommitHook() = std::move(hook);
}
