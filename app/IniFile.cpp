#include "IniFile.h"

#include "AtomicFile.h"

#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>
#include <QStringEncoder>

namespace {

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

namespace {

// One line of the file as bytes: its text runs from begin to end (a CR before
// the LF excluded), its line end from end to next.
struct RawLine {
    qsizetype begin = 0;
    qsizetype end = 0;
    qsizetype next = 0;
};

struct RawText {
    IniFile::Encoding encoding = IniFile::Encoding::Utf8;
    int unit = 1;           // bytes per code unit
    bool bigEndian = false; // for UTF-16
    qsizetype start = 0;    // first byte after the byte-order mark
    QList<RawLine> lines;
};

// A UTF-16 file without a byte-order mark: many zero bytes, all on one side
// of the code units. UTF-8 and the legacy code pages hold no zero bytes in
// text, so an odd NUL does not tip the balance.
int bomlessUtf16(const QByteArray& bytes) {
    if (bytes.size() < 4 || bytes.size() % 2 != 0)
        return 0;
    qsizetype zeroEven = 0;
    qsizetype zeroOdd = 0;
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        if (bytes[i] == 0)
            (i % 2 == 0 ? zeroEven : zeroOdd) += 1;
    }
    const qsizetype units = bytes.size() / 2;
    if (zeroOdd >= std::max<qsizetype>(2, units / 4) && zeroEven * 8 <= zeroOdd)
        return 1; // little endian: the high byte of ASCII is zero
    if (zeroEven >= std::max<qsizetype>(2, units / 4) && zeroOdd * 8 <= zeroEven)
        return 2;
    return 0;
}

RawText splitRaw(const QByteArray& bytes) {
    RawText raw;
    const auto b = [&](qsizetype i) { return static_cast<unsigned char>(bytes[i]); };
    if (bytes.size() >= 2 && b(0) == 0xFF && b(1) == 0xFE) {
        raw.encoding = IniFile::Encoding::Utf16LE;
        raw.start = 2;
    } else if (bytes.size() >= 2 && b(0) == 0xFE && b(1) == 0xFF) {
        raw.encoding = IniFile::Encoding::Utf16BE;
        raw.start = 2;
    } else if (bytes.size() >= 3 && b(0) == 0xEF && b(1) == 0xBB && b(2) == 0xBF) {
        raw.encoding = IniFile::Encoding::Utf8Bom;
        raw.start = 3;
    } else if (const int utf16 = bomlessUtf16(bytes)) {
        raw.encoding =
            utf16 == 1 ? IniFile::Encoding::Utf16LENoBom : IniFile::Encoding::Utf16BENoBom;
    }
    switch (raw.encoding) {
    case IniFile::Encoding::Utf16LE:
    case IniFile::Encoding::Utf16LENoBom:
        raw.unit = 2;
        break;
    case IniFile::Encoding::Utf16BE:
    case IniFile::Encoding::Utf16BENoBom:
        raw.unit = 2;
        raw.bigEndian = true;
        break;
    default:
        break;
    }
    const qsizetype size = bytes.size();
    const auto unitAt = [&](qsizetype i) -> unsigned {
        if (raw.unit == 1)
            return b(i);
        return raw.bigEndian ? (b(i) << 8) | b(i + 1) : (b(i + 1) << 8) | b(i);
    };
    qsizetype lineStart = raw.start;
    qsizetype i = raw.start;
    for (; i + raw.unit <= size; i += raw.unit) {
        if (unitAt(i) != '\n')
            continue;
        RawLine line{lineStart, i, i + raw.unit};
        if (i - raw.unit >= lineStart && unitAt(i - raw.unit) == '\r')
            line.end = i - raw.unit;
        raw.lines << line;
        lineStart = i + raw.unit;
    }
    if (lineStart < size)
        raw.lines << RawLine{lineStart, size, size};
    return raw;
}

// The text of a line's bytes, up to its first NUL.
QString decodeLine(const QByteArray& bytes, const RawText& raw, const RawLine& line) {
    const QByteArray body = bytes.mid(line.begin, line.end - line.begin);
    QString text;
    if (raw.unit == 1)
        text = QString::fromUtf8(body);
    else
        text = QStringDecoder(raw.bigEndian ? QStringDecoder::Utf16BE : QStringDecoder::Utf16LE)
                   .decode(body);
    const qsizetype nul = text.indexOf(QChar(0));
    if (nul >= 0)
        text.truncate(nul);
    return text;
}

QByteArray encodeText(const QString& text, const RawText& raw) {
    if (raw.unit == 1)
        return text.toUtf8();
    return QStringEncoder(raw.bigEndian ? QStringEncoder::Utf16BE : QStringEncoder::Utf16LE)
        .encode(text);
}

} // namespace

IniFile::Document IniFile::parse(const QByteArray& bytes) {
    Document doc;
    const RawText raw = splitRaw(bytes);
    doc.encoding = raw.encoding;
    for (const RawLine& line : raw.lines)
        doc.lines << decodeLine(bytes, raw, line);
    if (!raw.lines.isEmpty()) {
        const RawLine& first = raw.lines.front();
        if (first.next > first.end)
            doc.newline =
                first.next - first.end > raw.unit ? QStringLiteral("\r\n") : QStringLiteral("\n");
        doc.endsWithNewline = raw.lines.back().next > raw.lines.back().end;
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
    case Encoding::Utf16LENoBom:
        return QStringEncoder(QStringEncoder::Utf16LE).encode(text);
    case Encoding::Utf16BENoBom:
        return QStringEncoder(QStringEncoder::Utf16BE).encode(text);
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
    const QString entry = entryLine(key, value);

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

QString IniFile::entryLine(const QString& key, const QString& value) {
    QString stored = value;
    stored.replace(QStringLiteral("\r\n"), QStringLiteral("\\n"));
    stored.replace('\n', QStringLiteral("\\n"));
    stored.replace('\r', QStringLiteral("\\n"));
    // The reader drops surrounding blanks and one pair of matching quotes; a
    // value that would lose either is wrapped in quotes, which the reader removes.
    if (stored != stored.trimmed() || unquote(stored) != stored)
        stored = '"' + stored + '"';
    return key + '=' + stored;
}

bool IniFile::edit(QByteArray& bytes, const QString& section, const QString& key,
                   const QString& value, QString* error) {
    const auto refuse = [error](const QString& why) {
        if (error)
            *error = why;
        return false;
    };
    // Names the reader could not find again, and values it would not give back.
    const auto badName = [](const QString& name) {
        return name.isEmpty() || name != name.trimmed() || name.contains(QChar(0)) ||
               name.contains('\n') || name.contains('\r');
    };
    if (badName(section) || section.contains(']'))
        return refuse(QStringLiteral("section name \"%1\" cannot be stored").arg(section));
    if (badName(key) || key.contains('=') || key.startsWith('[') || key.startsWith(';'))
        return refuse(QStringLiteral("key name \"%1\" cannot be stored").arg(key));
    if (value.contains(QChar(0)))
        return refuse(QStringLiteral("a value with a NUL character cannot be stored"));

    const RawText raw = splitRaw(bytes);
    if (raw.unit == 2 && (bytes.size() - raw.start) % 2 != 0)
        return refuse(QStringLiteral("the UTF-16 file ends in half a character"));
    QStringList texts;
    for (const RawLine& line : raw.lines)
        texts << decodeLine(bytes, raw, line);

    // The line end new lines get: the file's first one, CR LF in a file without.
    QByteArray newline = encodeText(QStringLiteral("\r\n"), raw);
    for (const RawLine& line : raw.lines) {
        if (line.next > line.end) {
            newline = bytes.mid(line.end, line.next - line.end);
            break;
        }
    }
    const QByteArray entry = encodeText(entryLine(key, value), raw);

    QByteArray out;
    const int header = findSection(texts, section);
    if (header < 0) {
        out = bytes;
        if (!raw.lines.isEmpty() && raw.lines.back().next == raw.lines.back().end)
            out += newline;
        out += encodeText('[' + section + ']', raw) + newline + entry + newline;
    } else {
        const int end = sectionEnd(texts, header);
        int lastEntry = header;
        int found = -1;
        for (int i = header + 1; i < end && found < 0; ++i) {
            if (texts[i].trimmed().isEmpty())
                continue;
            lastEntry = i;
            QString k, v;
            if (!isComment(texts[i]) && splitEntry(texts[i], &k, &v) && sameName(k, key))
                found = i;
        }
        if (found >= 0) {
            const RawLine& line = raw.lines[found];
            out = bytes.left(line.begin) + entry + bytes.mid(line.end);
        } else {
            const RawLine& line = raw.lines[lastEntry];
            if (line.next > line.end) {
                // Inserted after that line, with the same line end it has.
                out = bytes.left(line.next) + entry + bytes.mid(line.end, line.next - line.end) +
                      bytes.mid(line.next);
            } else {
                out = bytes + newline + entry;
            }
        }
    }

    // The edit must read back as written; otherwise the file is left alone.
    bool found = false;
    const QString readBack = find(parse(out), section, key, &found);
    QString expected = entryLine(key, value).mid(key.size() + 1);
    expected = unquote(expected.trimmed());
    if (!found || readBack != expected)
        return refuse(QStringLiteral("the key would not read back as written"));
    bytes = out;
    return true;
}

bool IniFile::writeMany(const QString& path, const QString& section,
                        const QList<QPair<QString, QString>>& entries, QString* error) {
    const auto refuse = [error, &path](const QString& why) {
        if (error)
            *error = QStringLiteral("%1: %2").arg(path, why);
        return false;
    };
    QByteArray bytes;
    QFileInfo info(path);
    if (info.exists()) {
        // A read-only file stays read-only: the rename below would replace it.
        if (!info.isFile() || !info.isWritable() ||
            !(info.permissions() & (QFile::WriteOwner | QFile::WriteGroup | QFile::WriteOther)))
            return refuse(QStringLiteral("the file is read-only"));
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly))
            return refuse(file.errorString());
        bytes = file.readAll();
        if (file.error() != QFileDevice::NoError)
            return refuse(file.errorString());
    }
    for (const auto& [key, value] : entries) {
        QString why;
        if (!edit(bytes, section, key, value, &why))
            return refuse(why);
    }
    return AtomicFile::write(path, bytes, error);
}

bool IniFile::write(const QString& path, const QString& section, const QString& key,
                    const QString& value, QString* error) {
    return writeMany(path, section, {{key, value}}, error);
}

void IniFile::setBeforeCommitHookForTesting(std::function<void()> hook) {
    AtomicFile::setBeforeRenameHookForTesting(std::move(hook));
}
