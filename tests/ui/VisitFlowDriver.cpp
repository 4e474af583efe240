// Drives one whole visit through the real screens in real windows (run by
// VisitFlowTest on a private X server): an analysis run from pictures to the
// summary report, Save, member management's history, the stored visit reopened
// in the main window, export PDF. Screenshots go to the artifacts folder.
//
//   visit_flow_driver PROGRAM_FOLDER ARTIFACTS_FOLDER
//
// Exit status 0 when the reopened visit shows what was saved; otherwise 1 with
// one line per difference on stderr.
#include "CHistoryRecordDlg.h"
#include "CMainDlg.h"
#include "CMyListCtrl.h"
#include "CStartPageDlg.h"
#include "CSummaryReport.h"
#include "CTessalyApp.h"
#include "CUserDataDlg.h"
#include "CurrentMember.h"
#include "MemberTable.h"
#include "ProgramStartup.h"
#include "SharedFonts.h"
#include "SkinItem.h"
#include "SyntheticSkin.h"
#include "TextLookup.h"
#include "VelatrixResources.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QScreen>
#include <QTimer>

#include <opencv2/core.hpp>
#include <opencv2/imgcodecs.hpp>

#include <cstdio>

namespace {

int g_failures = 0;

void check(bool ok, const QString& what) {
    if (!ok) {
        ++g_failures;
        std::fprintf(stderr, "visit flow: %s\n", what.toLocal8Bit().constData());
    }
}

void settle(int ms) {
    QElapsedTimer t;
    t.start();
    while (t.elapsed() < ms)
        QApplication::processEvents(QEventLoop::AllEvents, 20);
}

// The bars count up for about a second; a busy machine delays the ticks.
void waitForBars(const CSummaryReport* summary) {
    QElapsedTimer t;
    t.start();
    while (!summary->animationFinished() && t.elapsed() < 10000)
        QApplication::processEvents(QEventLoop::AllEvents, 20);
    check(summary->animationFinished(), "the bars never finished");
}

void screenshot(const QString& file) {
    settle(300);
    QApplication::primaryScreen()->grabWindow(0).save(file);
}

void click(QWidget* parent, const char* id) {
    auto* b = parent->findChild<QAbstractButton*>(QString::fromLatin1(id));
    check(b != nullptr, QStringLiteral("no button %1").arg(QLatin1String(id)));
    if (b)
        b->click();
}

// Within JPEG loss: the reopened picture is exactly the saved one after one pass
// through the image library's default JPEG settings.
bool sameWithinJpegLoss(const cv::Mat& saved, const cv::Mat& reopened) {
    if (saved.empty() || reopened.empty())
        return false;
    std::vector<uchar> jpeg;
    cv::imencode(".jpg", saved, jpeg);
    const cv::Mat expected = cv::imdecode(jpeg, cv::IMREAD_COLOR);
    return expected.size() == reopened.size() && expected.type() == reopened.type() &&
           cv::norm(expected, reopened, cv::NORM_INF) == 0;
}

} // namespace

int main(int argc, char** argv) {
    QApplication qapp(argc, argv);
    if (argc < 3) {
        std::fputs("usage: visit_flow_driver PROGRAM_FOLDER ARTIFACTS_FOLDER\n", stderr);
        return 2;
    }
    const QString folder = QString::fromLocal8Bit(argv[1]);
    const QString shots = QString::fromLocal8Bit(argv[2]);
    QDir().mkpath(shots);
    ProgramStartup::registerFontSubstitutes();
    velatrixInitResources();
    CTessalyApp app(folder);
    QStringList tips;
    app.setTipHandler([&](const QString& text, int kind) {
        tips << QString::number(kind) + ':' + text;
        std::printf("tip %d: %s\n", kind, text.toLocal8Bit().constData());
    });
    app.setConfirmHandler([](const QString&, const QString&, const QString&) { return 2; });
    // The shipped presetting file carries the graded texts of language 0.
    TextLookup::chooseLanguageFile(0);
    SharedFonts::rebuild(0);
    app.m_nLanguage = 0;
    CMainDlg::setAnalysisWait(std::chrono::milliseconds(0));

    // A member as member management stores one, handed over for a new visit.
    MemberRecord anna;
    anna.name = QStringLiteral("Anna Lind");
    anna.sex = TextLookup::text("IDS_MEMBER_SEX_WOMEN");
    anna.age = QStringLiteral("34");
    {
        MemberTable members(app);
        check(members.open() && members.add(anna) == DataResult::Ok, "member not added");
    }
    MemberRecord current = anna;
    current.selected = 1;
    CurrentMember::set(&current);

    // A visit analysed from pictures, to the summary report, saved.
    ItemResults fresh;
    QString overall;
    const QString expert = QStringLiteral("Come back in four weeks; SPF 50 every day.");
    {
        CMainDlg main(0, QString());
        main.show();
        settle(300);
        std::array<cv::Mat, kCaptureSlotCount> captures;
        for (int s = 0; s < kCaptureSlotCount; ++s)
            captures[s] = syntheticSkin(640, 480, 20240611 + s);
        fillDetectionImages(main.itemResults(), captures);
        main.startRun();
        CSummaryReport* summary = main.summaryPanel();
        check(summary && main.currentPanel() == summary, "no summary after the run");
        if (!summary)
            return 1;
        waitForBars(summary);
        check(!summary->overallSuggestion().isEmpty(), "no overall suggestion");
        summary->findChild<QPlainTextEdit*>(QStringLiteral("1218"))->setPlainText(expert);
        screenshot(shots + QStringLiteral("/visit-summary-fresh.png"));
        tips.clear();
        click(summary, "1153");
        check(tips == QStringList{"0:" + TextLookup::text("IDS_SAVE_SUCCESS")},
              "save tips: " + tips.join(" | "));
        fresh = main.itemResults();
        overall = summary->overallSuggestion();
        main.reject();
    }

    // Member management's history command, the visit picked in the history list.
    current = MemberRecord{};
    CUserDataDlg members(current);
    members.setHistoryOpener(&CStartPageDlg::openHistory);
    members.show();
    settle(300);
    int row = -1;
    for (int i = 0; i < members.members().size(); ++i) {
        if (members.members().at(i).name == anna.name)
            row = i;
    }
    check(row >= 0, "member not listed");
    members.list()->SetSelectedRow(row);
    QTimer::singleShot(500, [&] {
        auto* history = qobject_cast<CHistoryRecordDlg*>(QApplication::activeModalWidget());
        check(history != nullptr, "history list did not open");
        if (!history)
            return;
        check(history->list()->GetItemCount() == 1, "history rows");
        screenshot(shots + QStringLiteral("/visit-history.png"));
        history->list()->SetSelectedRow(0);
        click(history, "1207");
    });
    click(&members, "1055");
    check(members.result() == QDialog::Accepted, "member management did not hand over");
    check(members.visitOpenedFromHistory() == 1, "not opened from history");
    const QString stamp = members.handOverText();
    check(stamp.size() == 12, "stamp " + stamp);
    check(current.selected == 1 && current.name == anna.name, "current member");
    members.hide();

    // The stored visit in the main window shows what was saved.
    {
        CMainDlg main(1, stamp);
        main.show();
        CSummaryReport* summary = main.summaryPanel();
        check(summary && summary->fromHistory() == 1, "stored visit not shown");
        if (!summary)
            return 1;
        waitForBars(summary);
        for (int i = 0; i < 8; ++i) {
            const ItemResult& a = fresh[i];
            const ItemResult& b = main.itemResults()[i];
            check(a.score == b.score, QStringLiteral("score %1").arg(i));
            check(a.resultText == b.resultText, QStringLiteral("result text %1").arg(i));
            check(a.suggestionText == b.suggestionText,
                  QStringLiteral("suggestion text %1").arg(i));
            check(sameWithinJpegLoss(a.detectionImage, b.detectionImage),
                  QStringLiteral("detection picture %1").arg(i));
            check(sameWithinJpegLoss(a.analysisImage, b.analysisImage),
                  QStringLiteral("analysis picture %1").arg(i));
        }
        check(summary->overallSuggestion() == overall, "overall suggestion");
        check(summary->expertSuggestion() == expert, "expert suggestion");
        check(summary->productRows().isEmpty(), "products");
        screenshot(shots + QStringLiteral("/visit-summary-history.png"));

        tips.clear();
        click(summary, "exportPdf");
        QString pdf = summary->savedReportFile();
        pdf.replace(QStringLiteral(".bmp"), QStringLiteral(".pdf"));
        QFile file(pdf);
        check(file.open(QIODevice::ReadOnly) && file.read(5) == "%PDF-", "no PDF at " + pdf);
        check(tips.size() == 1 && tips[0].startsWith("0:") && tips[0].contains(pdf),
              "PDF tip: " + tips.join(" | "));
        std::printf("pdf %s\n", pdf.toLocal8Bit().constData());
        main.reject();
    }
    CurrentMember::set(nullptr);
    return g_failures == 0 ? 0 : 1;
}
