#pragma once

#include <QString>
#include <QStringList>

#include <functional>

// Private-profile (INI) files as the program's settings, language and presetting
// files use them.
//
// Reading accepts UTF-16 LE or BE with a byte-order mark and UTF-8 with or
// without one; anything undecodable reads as missing keys, never as an error.
// Sections and keys match without regard to letter case, surrounding blanks are
// dropped and a value wrapped in one pair of matching quotes loses them.
//
// Writing changes one key in place and keeps every other line, the file's
// encoding, its byte-order mark and its line ends. A new file is UTF-8 with
// CR LF. The file is replaced through a temporary file and a rename, so a crash
// never leaves it half written. A line break inside a value is stored as the
// two characters backslash and "n" (a value cannot span lines).
//
// Threading: stateless; concurrent readers are safe, writers belong to the GUI
// thread.
class IniFile {
public:
    enum class Encoding { Utf8, Utf8Bom, Utf16LE, Utf16BE };

    struct Document {
        Encoding encoding = Encoding::Utf8;
        QString newline = QStringLiteral("\r\n");
        bool endsWithNewline = true;
        QStringList lines;
    };

    // Reads key of section; def when the file, the section or the key is missing.
    // At most maxChars - 1 characters come back (the private-profile buffer rule).
    // keyCase: the language files match their text keys exactly; everything else
    // matches keys as the private-profile format does, without regard to case.
    static QString read(const QString& path, const QString& section, const QString& key,
                        const QString& def = QString(), int maxChars = 1000,
                        Qt::CaseSensitivity keyCase = Qt::CaseInsensitive);
    static int readInt(const QString& path, const QString& section, const QString& key, int def);

    // Writes key = value into section, creating the file, section or key as
    // needed. Returns false when the file could not be written (read-only file or
    // folder, missing folder, full disk); the old file is then unchanged.
    static bool write(const QString& path, const QString& section, const QString& key,
                      const QString& value);

    // Test seam: runs after the temporary file is written, before the rename.
    static void setBeforeCommitHookForTesting(std::function<void()> hook);

    static Document parse(const QByteArray& bytes);
    static QByteArray serialize(const Document& doc);

    // Value lookup inside an already parsed document; found tells whether the key exists.
    static QString find(const Document& doc, const QString& section, const QString& key,
                        bool* found, Qt::CaseSensitivity keyCase = Qt::CaseInsensitive);
    static void set(Document& doc, const QString& section, const QString& key,
                    const QString& value);
};
