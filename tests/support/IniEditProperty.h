#pragma once

#include "IniFile.h"

#include <QByteArray>
#include <QString>

#include <string>

// What an INI write may do to a file: refuse and change nothing, or keep
// every byte except those of one line (the key's own line, replaced) or one
// insertion point (a new key or section), so that every other key still
// reads as before and the written key reads back as given.
// Returns an empty string when the property holds, otherwise what broke it.
// Shared by the unit tests and the fuzz target.
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
    QString currentSection;
    for (const QString& line : before.lines) {
        const QString t = line.trimmed();
        if (t.startsWith('[') && t.contains(']')) {
            currentSection = t.mid(1, t.indexOf(']') - 1).trimmed();
            continue;
        }
        const qsizetype eq = line.indexOf('=');
        if (eq < 0 || t.startsWith(';'))
            continue;
        const QString k = line.left(eq).trimmed();
        if (currentSection.compare(section, Qt::CaseInsensitive) == 0 &&
            k.compare(key, Qt::CaseInsensitive) == 0)
            continue;
        bool wasFound = false;
        bool isFound = false;
        const QString was = IniFile::find(before, currentSection, k, &wasFound);
        const QString is = IniFile::find(after, currentSection, k, &isFound);
        if (wasFound != isFound || was != is)
            return "another key changed: [" + currentSection.toStdString() + "] " + k.toStdString();
    }
    return {};
}
