// velatrix-report: renders a stored visit's summary page without a screen, so a
// salon can export or e-mail reports in bulk.
//
//   velatrix-report VISIT_FOLDER [--pdf OUT.pdf] [--png OUT.png]
//
// The program folder is the folder of this executable: its settings choose the
// language, its presetting file the organisation name, its product database the
// product thumbnails. The nine scores (items 0-7 and the average) go to stdout
// on one line. Exit status 0 on success, 2 on a bad argument or a folder that is
// not a readable visit, with one line on stderr.

#include "CSummaryReport.h"
#include "CTessalyApp.h"
#include "CurrentMember.h"
#include "LanguageSetting.h"
#include "MemberRecord.h"
#include "PicturePrinter.h"
#include "ReportStore.h"
#include "SharedFonts.h"
#include "TextLookup.h"
#include "VelatrixResources.h"

#include <QApplication>
#include <QBuffer>
#include <QDir>
#include <QFileInfo>
#include <QFont>
#include <QFontDatabase>
#include <QSaveFile>

#include <cstdio>
#include <optional>

namespace {

constexpr int kExitBadInput = 2;

const char* const kUsage =
    "Usage: velatrix-report VISIT_FOLDER [--pdf OUT.pdf] [--png OUT.png]\n"
    "\n"
    "Renders the summary report of a stored visit (a folder Reports/<member>/<stamp>\n"
    "holding info.ini and the item pictures) and prints its nine scores - items 0-7\n"
    "and the average - on one line.\n"
    "\n"
    "  --pdf OUT.pdf  write the report page as an A4 PDF, as the program exports it\n"
    "  --png OUT.png  write the report page as a picture\n"
    "\n"
    "Language and organisation name come from the program folder's settings.\n"
    "Exit status: 0 success, 2 bad argument or unreadable visit.\n";

int fail(const QString& message) {
    std::fprintf(stderr, "velatrix-report: %s\n", message.toLocal8Bit().constData());
    return kExitBadInput;
}

struct Options {
    QString visit;
    QString pdf;
    QString png;
};

std::optional<Options> parse(const QStringList& args, QString* error) {
    Options o;
    for (int i = 1; i < args.size(); ++i) {
        const QString& a = args[i];
        if (a == QLatin1String("--pdf") || a == QLatin1String("--png")) {
            if (i + 1 >= args.size()) {
                *error = a + QStringLiteral(" needs a file name");
                return std::nullopt;
            }
            (a == QLatin1String("--pdf") ? o.pdf : o.png) = args[++i];
        } else if (a.startsWith(QLatin1String("--")) || !o.visit.isEmpty()) {
            *error = QStringLiteral("unexpected argument ") + a;
            return std::nullopt;
        } else {
            o.visit = a;
        }
    }
    if (o.visit.isEmpty()) {
        *error = QStringLiteral("no visit folder given (see --help)");
        return std::nullopt;
    }
    return o;
}

// Interface texts ask for this face; the machine's CJK face stands in for it.
void registerFontSubstitutes() {
    const QStringList candidates{QStringLiteral("Noto Sans CJK SC"), QStringLiteral("Noto Sans SC"),
                                 QStringLiteral("WenQuanYi Micro Hei"),
                                 QStringLiteral("Droid Sans Fallback")};
    QStringList available;
    for (const QString& c : candidates) {
        if (QFontDatabase::families().contains(c))
            available << c;
    }
    if (!available.isEmpty())
        QFont::insertSubstitutions(QStringLiteral("微软雅黑"), available);
}

bool writePng(const QImage& page, const QString& path, QString* error) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (!page.save(&buffer, "PNG")) {
        *error = QStringLiteral("picture cannot be encoded");
        return false;
    }
    return ReportStore::writeWholeFile(path, bytes, error);
}

} // namespace

// Scripts read stderr as one line per failure: the toolkit's own notices about
// the missing display session stay out of it; its critical messages do not.
void quietMessages(QtMsgType type, const QMessageLogContext&, const QString& message) {
    if (type == QtCriticalMsg || type == QtFatalMsg)
        std::fprintf(stderr, "velatrix-report: %s\n", message.toLocal8Bit().constData());
}

int main(int argc, char** argv) {
    qInstallMessageHandler(quietMessages);
    // Without a screen: the page is drawn offscreen unless a platform was chosen.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication qapp(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    if (args.contains(QStringLiteral("--help")) || args.contains(QStringLiteral("-h"))) {
        std::fputs(kUsage, stdout);
        return 0;
    }
    QString error;
    const std::optional<Options> options = parse(args, &error);
    if (!options)
        return fail(error);

    registerFontSubstitutes();
    velatrixInitResources();
    CTessalyApp app(QCoreApplication::applicationDirPath() + '/');
    app.setTipHandler([](const QString& text, int kind) {
        if (kind == CTessalyApp::TipError)
            std::fprintf(stderr, "velatrix-report: %s\n", text.toLocal8Bit().constData());
    });
    const int language = std::max(0, LanguageSetting::read(app));
    app.m_nLanguage = language;
    TextLookup::chooseLanguageFile(language);
    SharedFonts::rebuild(language);

    const QString visit = QDir::cleanPath(QFileInfo(options->visit).absoluteFilePath());
    ItemResults items = makeItemResults();
    if (!ReportStore::loadVisit(visit, items, &error))
        return fail(error);

    // The visit's member is the folder it is stored under; "Guest" is a guest.
    MemberRecord member;
    member.name = QFileInfo(QFileInfo(visit).path()).fileName();
    member.selected = member.name == QLatin1String("Guest") ? 0 : 1;
    member.sex = QStringLiteral("-");
    member.age = QStringLiteral("-");
    CurrentMember::set(&member);
    // The report's date is the visit's, not the moment of the export.
    const QDateTime visitTime =
        QDateTime::fromString(QFileInfo(visit).fileName(), QStringLiteral("yyyyMMddHHmm"));
    if (visitTime.isValid())
        CSummaryReport::setClockForTesting([visitTime] { return visitTime; });

    int status = 0;
    {
        CSummaryReport page(1, items, nullptr, {visit, {}});
        page.resize(CSummaryReport::kDesignSize);
        page.finishAnimation();
        const QImage picture = page.capturePage();
        if (!options->png.isEmpty() && !writePng(picture, options->png, &error))
            status = fail(options->png + QStringLiteral(": ") + error);
        if (!options->pdf.isEmpty() && !PicturePrinter::exportPdf(picture, options->pdf, &error))
            status = fail(options->pdf + QStringLiteral(": ") + error);
    }
    CurrentMember::set(nullptr);

    QString line;
    for (const ItemResult& r : items)
        line += QString::number(r.score) + ' ';
    line += QString::number(ReportStore::averageScore(items));
    std::printf("%s\n", line.toLocal8Bit().constData());
    return status;
}
