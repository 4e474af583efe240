#pragma once

#include "AnalysisRun.h"
#include "ProductRecord.h"

#include <QByteArray>
#include <QDateTime>
#include <QList>
#include <QString>
#include <QStringList>

#include <array>
#include <functional>
#include <vector>

// The report store: one folder per member under "Reports", one visit folder per
// visit stamp in it, holding the sixteen item pictures ("<stem>.jpg" detection,
// "<stem>_0.jpg" analysis) and the visit file "info.ini".
//
// "info.ini" holds, in this order: sections "0".."7" with "score", "result",
// "suggestion"; section "8" with the average score; "suggestion", "expert" and
// "products" (each product name followed by ";"). It is UTF-8 with CR LF; a line
// break inside a text is stored as backslash + "n" and comes back as a line break.
//
// Saving never leaves half a visit: every file is first written into a hidden
// staging folder beside the visit folder, and only a complete set is moved into
// place (a new visit appears with one rename, a same-minute save replaces its
// files one whole file at a time). A failed save names the file it could not
// write and leaves the earlier state of the member folder as it was.
//
// Threading: stateless functions of their arguments; call from the GUI thread
// (the only thread that writes files).
class ReportStore {
public:
    // The visit folder name: local year, month, day, hour, minute as
    // "%d%02d%02d%02d%02d".
    static QString visitStamp(const QDateTime& when);
    // The history's date text "yyyy-mm-dd hh:mm" from a 12-character folder name,
    // and the stamp back from it (every "-", ":" and space removed).
    static QString dateText(const QString& folderName);
    static QString stampFromDateText(const QString& dateText);

    // Sum of the eight scores divided by 8 (integer division).
    static int averageScore(const ItemResults& items);
    // Each row followed by ";": {"A","B"} gives "A;B;", no rows give "".
    static QString productsValue(const QStringList& rows);
    // The product names of a stored products value; a trailing part without ";"
    // is not a name.
    static QStringList productNames(const QString& productsValue);

    // A product's row text on a report: the product name. (Its picture file is
    // named after it through the safe-name mapping, which would turn an unusual
    // name into a form no catalogue record carries; a product without a
    // picture would give an empty row.)
    static QString productRowText(const ProductRecord& product);
    // The catalogue records a stored products value names, in the stored order;
    // names match ignoring letter case, unknown names are skipped.
    static QList<ProductRecord> storedProducts(const QString& productsValue,
                                               const QList<ProductRecord>& catalogue);

    // The visit file's bytes for these results and texts.
    static QByteArray visitFileBytes(const ItemResults& items, const QString& suggestion,
                                     const QString& expert, const QStringList& productRows);

    struct SaveResult {
        bool ok = false;
        QString visitFolder; // the folder written (also on failure: where it would be)
        QString failedFile;  // the file that could not be written, on failure
        QString error;       // the system's reason, on failure
    };
    static SaveResult saveVisit(const QString& memberReportFolder, const QDateTime& when,
                                const ItemResults& items, const QString& suggestion,
                                const QString& expert, const QStringList& productRows);

    // Fills the eight results from a visit folder: scores (missing: 0), texts
    // (missing: empty), pictures (missing or unreadable: empty). False, with a
    // reason, when the folder or its "info.ini" cannot be read: then the
    // results are left untouched, so a caller never shows a visit of zeros.
    static bool loadVisit(const QString& visitFolder, ItemResults& items, QString* error);

    struct FreeTexts {
        QString suggestion;
        QString expert;
        QString products;
    };
    static FreeTexts loadFreeTexts(const QString& visitFolder);

    struct HistoryRow {
        QString stamp;                 // the folder name
        QString dateText;              // "yyyy-mm-dd hh:mm"
        std::array<QString, 9> scores; // sections "0".."7" and the average "8", as stored
    };
    // The visits of a member folder, oldest first: every 12-character
    // subfolder; a folder without a readable "info.ini" shows "0" everywhere.
    static std::vector<HistoryRow> listHistory(const QString& memberReportFolder);

    // Test seam for the file layer: writes bytes to path whole or not at all and
    // returns false with a reason (a full disk, an unwritable folder).
    using FileWriter =
        std::function<bool(const QString& path, const QByteArray& bytes, QString* error)>;
    static void setFileWriterForTesting(FileWriter writer);
    static bool writeWholeFile(const QString& path, const QByteArray& bytes, QString* error);

    // Readers take at most this many characters of a text value.
    static constexpr int kMaxValueChars = 999;
};
