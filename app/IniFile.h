#pragma once

#include <QString>
#include <QStringList>

#include <functional>

// Private-profile (INI) files as the program's settings, language and presetting
// files use them.
//
// Reading accepts UTF-16 LE or BE with or without a byte-order mark (a file
// without one is recognised by its zero bytes) and UTF-8 with or without one;
// anything undecodable reads as missing keys, never as an error. A line is read
// up to its first NUL character; the lines after it are read as usual.
// Sections and keys match without regard to letter case, surrounding blanks are
// dropped and a value wrapped in one pair of matching quotes loses them.
//
// Writing works on the file's bytes: it replaces the bytes of the one key's
// line, or inserts one line (and a section header when the section is new),
// and leaves every other byte as it was - undecodable bytes, NUL bytes, the
// byte-order mark and each line's own line end included. When it cannot be
// sure of that (an uneven UTF-16 file, a key, section or value that the reader
// would not give back), it refuses and changes nothing. A new file is UTF-8
// with CR LF. The file is replaced through a temporary file and a rename
// (AtomicFile), so a crash never leaves it half written. A line break inside a
// value is stored as the two characters backslash and "n" (a value cannot span
// lines); a value with surrounding blanks or quotes is stored in double quotes
// so that it reads back as written.
//
// Threading: stateless; concurrent readers are safe, writers belong to the GUI
// thread.
class IniFile {
public:
    enum class Encoding { Utf8, Utf8Bom, Utf16LE, Utf16BE, Utf16LENoBom, Utf16BENoBom };

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
                      const QString& value, QString* error = nullptr);

    // Writes several keys of one section in one replacement of the file: either
    // every key is written or the old file stays whole.
    static bool writeMany(const QString& path, const QString& section,
                          const QList<QPair<QString, QString>>& entries, QString* error = nullptr);

    // The byte edit behind write(), on a file's content in memory. False, with
    // *error set and bytes unchanged, when the edit is refused.
    static bool edit(QByteArray& bytes, const QString& section, const QString& key,
                     const QString& value, QString* error = nullptr);

    // The line text write() stores for key = value (escaped, quoted if needed).
    static QString entryLine(const QString& key, const QString& value);

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
