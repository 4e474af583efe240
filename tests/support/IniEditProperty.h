#pragma once

#include "IniFile.h"

#include <QByteArray>
#include <QHash>
#include <QSet>
#include <QString>

#include <string>

// What an INI write may do to a file: refuse and change nothing, or keep
// every byte except those of one line (the key's own line, replaced) or one
// insertion point (a new key or section), so that every other key still
// reads as before and the written key reads back as given.
// Returns an empty string when the property holds, otherwise what broke it.
// Shared by the unit tests and the fuzz target.
// Every key the reader can find, as "section NUL key" (lower case) -> value:
// the first block of each section name, the first entry of each key in it.
// One pass, so that the fuzz target stays fast on long files.
inline QHash<QString, QString> readableKeys(const IniFile::Document& doc) {
    QHash<QString, QString> keys;
    QSet<QString> seenSections;
    QString current;
    bool firstBlock = false;
    for (const QString& line : doc.lines) {
        const QString t = line.trimmed();
        if (t.startsWith('[') && t.contains(']')) {
            current = t.mid(1, t.indexOf(']') - 1).trimmed().toCaseFolded();
            firstBlock = !seenSections.contains(current);
            seenSections.insert(current);
            continue;
        }
        const qsizetype eq = line.indexOf('=');
        if (!firstBlock || eq < 0 || t.startsWith(';'))
            continue;
        const QString id = current + QChar(0) + line.left(eq).trimmed().toCaseFolded();
        if (!keys.contains(id)) {
            QString v = line.mid(eq + 1).trimmed();
            if (v.size() >= 2 && (v.front() == '"' || v.front() == '\'') && v.back() == v.front())
                v = v.mid(1, v.size() - 2);
            keys.insert(id, v);
        }
    }
    return keys;
}

inline std::string iniEditViolation(const QByteArray& original, const QString& section,
                                    const QString& key, const QString& value) {
    QByteArray edited = original;
    QString why;
    if (!IniFile::edit(edited, section, key, value, &why)) {
        if (edited != original)
            return "a refused edit changed the bytes";
        if (why.isEmpty())
            return "a refused edit gave no reason";
        return {};
    }
    const IniFile::Document before = IniFile::parse(original);
    const IniFile::Document after = IniFile::parse(edited);
    if (after.encoding != before.encoding && !original.isEmpty())
        return "the encoding changed";

    // The bytes between the common start and the common end.
    qsizetype prefix = 0;
    const qsizetype shorter = std::min(original.size(), edited.size());
    while (prefix < shorter && original[prefix] == edited[prefix])
        ++prefix;
    qsizetype suffix = 0;
    while (suffix < shorter - prefix &&
           original[original.size() - 1 - suffix] == edited[edited.size() - 1 - suffix])
        ++suffix;
    const bool utf16 = before.encoding == IniFile::Encoding::Utf16LE ||
                       before.encoding == IniFile::Encoding::Utf16BE ||
                       before.encoding == IniFile::Encoding::Utf16LENoBom ||
                       before.encoding == IniFile::Encoding::Utf16BENoBom;
    const bool bigEndian = before.encoding == IniFile::Encoding::Utf16BE ||
                           before.encoding == IniFile::Encoding::Utf16BENoBom;
    // No line end of the original may lie in the changed range: then at most
    // one line changed.
    if (utf16) {
        for (qsizetype i = prefix & ~qsizetype(1); i + 1 < original.size() - suffix; i += 2) {
            const char lo = bigEndian ? original[i + 1] : original[i];
            const char hi = bigEndian ? original[i] : original[i + 1];
            if (lo == '\n' && hi == 0)
                return "a line end of the original was changed";
        }
    } else if (original.mid(prefix, original.size() - suffix - prefix).contains('\n')) {
        return "more than one line of the original was changed";
    }

    // Every other key reads as before; the written key reads back.
    bool found = false;
    QString expected = value;
    expected.replace(QStringLiteral("\r\n"), QStringLiteral("\\n"));
    expected.replace('\n', QStringLiteral("\\n"));
    expected.replace('\r', QStringLiteral("\\n"));
    if (IniFile::find(after, section, key, &found) != expected || !found)
        return "the written key does not read back";
    const auto visible = readableKeys(before);
    const auto now = readableKeys(after);
    for (auto it = visible.cbegin(); it != visible.cend(); ++it) {
        if (it.key() == (section.toCaseFolded() + QChar(0) + key.toCaseFolded()))
            continue;
        if (!now.contains(it.key()) || now.value(it.key()) != it.value())
            return "another key changed: " + it.key().toStdString();
    }
    return {};
}
