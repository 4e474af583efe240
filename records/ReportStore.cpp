#include "ReportStore.h"

#include "IniFile.h"
#include "SkinItem.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <opencv2/imgcodecs.hpp>

#include <cerrno>
#include <cstdio>
#include <cstring>

namespace {

const QString kVisitFile = QStringLiteral("info.ini");

ReportStore::FileWriter& fileWriter() {
    static ReportStore::FileWriter writer;
    return writer;
}

bool writeFile(const QString& path, const QByteArray& bytes, QString* error) {
    if (fileWriter())
        return fileWriter()(path, bytes, error);
    return ReportStore::writeWholeFile(path, bytes, error);
}

QString pictureName(int item, bool analysis) {
    return QString::fromLatin1(kSkinItems[item].fileStem) +
           (analysis ? QStringLiteral("_0.jpg") : QStringLiteral(".jpg"));
}

QString storedText(const QString& value) {
    QString text = value.left(ReportStore::kMaxValueChars);
    text.replace(QStringLiteral("\\n"), QStringLiteral("\n"));
    return text;
}

QString readText(const IniFile::Document& doc, const QString& section, const QString& key) {
    bool found = false;
    const QString v = IniFile::find(doc, section, key, &found);
    return found ? storedText(v) : QString();
}

// The private-profile integer rule: leading decimal digits, anything else 0.
int readScore(const IniFile::Document& doc, const QString& section) {
    bool found = false;
    const QString v = IniFile::find(doc, section, QStringLiteral("score"), &found).trimmed();
    int i = 0;
    bool negative = false;
    if (i < v.size() && (v[i] == '-' || v[i] == '+'))
        negative = v[i++] == '-';
    long long n = 0;
    for (; i < v.size() && v[i].isDigit() && n < 0x7FFFFFFF; ++i)
        n = n * 10 + v[i].digitValue();
    return int(negative ? -n : n);
}

cv::Mat readPicture(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    const QByteArray bytes = file.readAll();
    if (bytes.isEmpty())
        return {};
    const cv::Mat raw(1, int(bytes.size()), CV_8UC1, const_cast<char*>(bytes.constData()));
    return cv::imdecode(raw, cv::IMREAD_COLOR);
}

bool readDocument(const QString& path, IniFile::Document* doc, QString* error) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        if (error)
            *error = path + QStringLiteral(": ") + file.errorString();
        return false;
    }
    *doc = IniFile::parse(file.readAll());
    return true;
}

// Replaces target by source in one step (rename over an existing file).
bool replaceFile(const QString& source, const QString& target, QString* error) {
    if (std::rename(QFile::encodeName(source).constData(), QFile::encodeName(target).constData()) ==
        0)
        return true;
    if (error)
        *error = QString::fromLocal8Bit(std::strerror(errno));
    return false;
}

} // namespace

QString ReportStore::visitStamp(const QDateTime& when) {
    const QDate d = when.date();
    const QTime t = when.time();
    return QString::asprintf("%d%02d%02d%02d%02d", d.year(), d.month(), d.day(), t.hour(),
                             t.minute());
}

QString ReportStore::dateText(const QString& folderName) {
    return QStringLiteral("%1-%2-%3 %4:%5")
        .arg(folderName.mid(0, 4), folderName.mid(4, 2), folderName.mid(6, 2), folderName.mid(8, 2),
             folderName.mid(10, 2));
}

QString ReportStore::stampFromDateText(const QString& dateText) {
    QString stamp = dateText;
    stamp.remove('-').remove(':').remove(' ');
    return stamp;
}

int ReportStore::averageScore(const ItemResults& items) {
    int sum = 0;
    for (const ItemResult& r : items)
        sum += r.score;
    return sum / 8;
}

QString ReportStore::productsValue(const QStringList& rows) {
    QString value;
    for (const QString& row : rows)
        value += row + ';';
    return value;
}

QStringList ReportStore::productNames(const QString& productsValue) {
    QStringList names = productsValue.split(';');
    names.removeLast(); // the part after the last ";" (empty for a well-formed value)
    return names;
}

QString ReportStore::productRowText(const ProductRecord& product) {
    return product.name;
}

QList<ProductRecord> ReportStore::storedProducts(const QString& productsValue,
                                                 const QList<ProductRecord>& catalogue) {
    QList<ProductRecord> found;
    for (const QString& name : productNames(productsValue)) {
        for (const ProductRecord& record : catalogue) {
            if (record.name.compare(name, Qt::CaseInsensitive) == 0)
                found << record;
        }
    }
    return found;
}

QByteArray ReportStore::visitFileBytes(const ItemResults& items, const QString& suggestion,
                                       const QString& expert, const QStringList& productRows) {
    IniFile::Document doc;
    doc.lines.clear();
    for (int i = 0; i < 8; ++i) {
        const QString section = QString::number(i);
        IniFile::set(doc, section, QStringLiteral("score"), QString::number(items[i].score));
        IniFile::set(doc, section, QStringLiteral("result"),
                     QString::fromStdString(items[i].resultText));
        IniFile::set(doc, section, QStringLiteral("suggestion"),
                     QString::fromStdString(items[i].suggestionText));
    }
    IniFile::set(doc, QStringLiteral("8"), QStringLiteral("score"),
                 QString::number(averageScore(items)));
    IniFile::set(doc, QStringLiteral("suggestion"), QStringLiteral("suggestion"), suggestion);
    IniFile::set(doc, QStringLiteral("expert"), QStringLiteral("expert"), expert);
    IniFile::set(doc, QStringLiteral("products"), QStringLiteral("products"),
                 productsValue(productRows));
    return IniFile::serialize(doc);
}

bool ReportStore::writeWholeFile(const QString& path, const QByteArray& bytes, QString* error) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        if (error)
            *error = file.errorString();
        return false;
    }
    if (file.write(bytes) != bytes.size()) {
        if (error)
            *error = file.errorString();
        file.cancelWriting();
        return false;
    }
    if (!file.commit()) {
        if (error)
            *error = file.errorString();
        return false;
    }
    return true;
}

void ReportStore::setFileWriterForTesting(FileWriter writer) {
    fileWriter() = std::move(writer);
}

ReportStore::SaveResult ReportStore::saveVisit(const QString& memberReportFolder,
                                               const QDateTime& when, const ItemResults& items,
                                               const QString& suggestion, const QString& expert,
                                               const QStringList& productRows) {
    SaveResult result;
    const QString stamp = visitStamp(when);
    result.visitFolder = memberReportFolder + '/' + stamp;
    const auto fail = [&](const QString& file, const QString& reason) {
        result.failedFile = file;
        result.error = reason;
        return result;
    };

    if (!QDir().mkpath(memberReportFolder))
        return fail(memberReportFolder, QStringLiteral("folder cannot be created"));
    // A hidden staging folder: its name is not 12 characters, so the history
    // never lists it, even when a crash leaves it behind.
    const QString staging =
        memberReportFolder + QStringLiteral("/.") + stamp + QStringLiteral(".saving");
    QDir(staging).removeRecursively();
    if (!QDir().mkdir(staging))
        return fail(result.visitFolder, QStringLiteral("folder cannot be created"));
    const auto abandon = [&](const QString& file, const QString& reason) {
        QDir(staging).removeRecursively();
        return fail(file, reason);
    };

    QStringList written;
    QStringList absent;
    for (int i = 0; i < 8; ++i) {
        for (bool analysis : {false, true}) {
            const cv::Mat& picture = analysis ? items[i].analysisImage : items[i].detectionImage;
            const QString name = pictureName(i, analysis);
            if (picture.empty()) {
                absent << name;
                continue;
            }
            std::vector<uchar> jpeg;
            if (!cv::imencode(".jpg", picture, jpeg))
                return abandon(result.visitFolder + '/' + name,
                               QStringLiteral("picture cannot be encoded"));
            QString error;
            const QByteArray bytes(reinterpret_cast<const char*>(jpeg.data()),
                                   qsizetype(jpeg.size()));
            if (!writeFile(staging + '/' + name, bytes, &error))
                return abandon(result.visitFolder + '/' + name, error);
            written << name;
        }
    }
    {
        QString error;
        if (!writeFile(staging + '/' + kVisitFile,
                       visitFileBytes(items, suggestion, expert, productRows), &error))
            return abandon(result.visitFolder + '/' + kVisitFile, error);
        written << kVisitFile;
    }

    if (!QFileInfo::exists(result.visitFolder)) {
        // A new visit appears complete or not at all.
        QString error;
        if (!replaceFile(staging, result.visitFolder, &error))
            return abandon(result.visitFolder, error);
        result.ok = true;
        return result;
    }
    // A second save within the same minute: each file is replaced whole, the
    // visit file last, so the pictures are in place before the scores name them.
    for (const QString& name : written) {
        QString error;
        if (!replaceFile(staging + '/' + name, result.visitFolder + '/' + name, &error))
            return abandon(result.visitFolder + '/' + name, error);
    }
    for (const QString& name : absent)
        QFile::remove(result.visitFolder + '/' + name);
    QDir(staging).removeRecursively();
    result.ok = true;
    return result;
}

bool ReportStore::loadVisit(const QString& visitFolder, ItemResults& items, QString* error) {
    if (!QFileInfo(visitFolder).isDir()) {
        if (error)
            *error = visitFolder + QStringLiteral(": no such visit folder");
        return false;
    }
    IniFile::Document doc;
    if (!readDocument(visitFolder + '/' + kVisitFile, &doc, error))
        return false;
    for (int i = 0; i < 8; ++i) {
        const QString section = QString::number(i);
        ItemResult& r = items[i];
        r.score = readScore(doc, section);
        r.resultText = readText(doc, section, QStringLiteral("result")).toStdString();
        r.suggestionText = readText(doc, section, QStringLiteral("suggestion")).toStdString();
        r.detectionImage = readPicture(visitFolder + '/' + pictureName(i, false));
        r.analysisImage = readPicture(visitFolder + '/' + pictureName(i, true));
    }
    return true;
}

ReportStore::FreeTexts ReportStore::loadFreeTexts(const QString& visitFolder) {
    FreeTexts texts;
    IniFile::Document doc;
    if (!readDocument(visitFolder + '/' + kVisitFile, &doc, nullptr))
        return texts;
    texts.suggestion = readText(doc, QStringLiteral("suggestion"), QStringLiteral("suggestion"));
    texts.expert = readText(doc, QStringLiteral("expert"), QStringLiteral("expert"));
    texts.products = readText(doc, QStringLiteral("products"), QStringLiteral("products"));
    return texts;
}

std::vector<ReportStore::HistoryRow> ReportStore::listHistory(const QString& memberReportFolder) {
    std::vector<HistoryRow> rows;
    const QDir folder(memberReportFolder);
    if (!folder.exists())
        return rows;
    // Stamps have a fixed width, so name order is visit order.
    const QStringList names =
        folder.entryList(QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden, QDir::Name);
    for (const QString& name : names) {
        if (name.size() != 12)
            continue;
        HistoryRow row;
        row.stamp = name;
        row.dateText = dateText(name);
        IniFile::Document doc;
        const bool readable = readDocument(folder.filePath(name) + '/' + kVisitFile, &doc, nullptr);
        for (int s = 0; s < 9; ++s) {
            bool found = false;
            const QString v =
                readable ? IniFile::find(doc, QString::number(s), QStringLiteral("score"), &found)
                         : QString();
            row.scores[s] = found ? v.left(kMaxValueChars) : QStringLiteral("0");
        }
        rows.push_back(std::move(row));
    }
    return rows;
}
