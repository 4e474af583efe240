// Not a test: shows the single-item report page on sample pictures, with a
// member and three recommended products picked through the real picker, so
// that it can be looked at (under Xvfb, with a screenshot); closes after a while.
//   single_report_gallery [item] [score] [en|zh] [ms]
//   single_report_gallery main [menu id] [en|zh] [ms]   (the page inside the main window)
#include "CGdipButton.h"
#include "CMainDlg.h"
#include "CMyListCtrl.h"
#include "CProductListDlg.h"
#include "CSingleReportDlg.h"
#include "CTessalyApp.h"
#include "CTipDlg.h"
#include "CurrentMember.h"
#include "MemberRecord.h"
#include "ProductTable.h"
#include "SharedFonts.h"
#include "SyntheticSkin.h"
#include "TextLookup.h"

#include <QAbstractButton>
#include <QApplication>
#include <QFile>
#include <QFont>
#include <QProcess>
#include <QTemporaryDir>
#include <QTimer>

#include <opencv2/imgcodecs.hpp>
#include <opencv2/imgproc.hpp>

namespace {

void makePicture(const QString& path, const cv::Scalar& colour) {
    cv::Mat image(600, 800, CV_8UC3, cv::Scalar(255, 255, 255));
    cv::rectangle(image, {300, 120}, {500, 520}, colour, cv::FILLED);
    cv::circle(image, {400, 110}, 60, colour * 0.8, cv::FILLED, cv::LINE_AA);
    cv::imwrite(QFile::encodeName(path).toStdString(), image);
}

// The analysis picture: the capture with a few marks as an analysis draws them.
cv::Mat marked(const cv::Mat& capture) {
    cv::Mat result = capture.clone();
    for (int i = 0; i < 12; ++i)
        cv::circle(result, {60 + 47 * i, 90 + (i * 131) % 300}, 14, cv::Scalar(0, 0, 255), 2,
                   cv::LINE_AA);
    return result;
}

} // namespace

int main(int argc, char** argv) {
    QApplication qapp(argc, argv);
    const int item = argc > 1 ? std::atoi(argv[1]) : 2;
    const int score = argc > 2 ? std::atoi(argv[2]) : 87;
    const bool chinese = argc > 3 && QByteArray(argv[3]) == "zh";
    const int ms = argc > 4 ? std::atoi(argv[4]) : 4000;

    QTemporaryDir folder;
    const QString built = QStringLiteral(VELATRIX_GALLERY_PROGRAM_DIR);
    QProcess::execute(QStringLiteral("cp"),
                      {QStringLiteral("-r"), built + "/Language", built + "/icons",
                       built + "/PreSetting", folder.path()});
    QFont::insertSubstitutions(QStringLiteral("微软雅黑"), {QStringLiteral("Noto Sans CJK SC"),
                                                            QStringLiteral("WenQuanYi Micro Hei")});
    CTessalyApp app(folder.path());
    app.setTipHandler([](const QString& text, int kind) { CTipDlg::Show(text, kind); });
    app.m_nLanguage = chinese ? 0 : 2;
    TextLookup::chooseLanguageFile(app.m_nLanguage);
    SharedFonts::rebuild(app.m_nLanguage);

    {
        ProductTable products(app);
        products.open();
        const QStringList names{"Hydrating Serum", "Calming Toner", "Night Cream"};
        for (int i = 0; i < names.size(); ++i) {
            ProductRecord p;
            p.type = "Skin care";
            p.name = names[i];
            p.model = QString("VX-%1").arg(100 + i);
            p.price = QString::number(180 + 40 * i);
            const QString pic = folder.filePath(QString("%1.jpg").arg(names[i]).remove(' '));
            makePicture(pic, cv::Scalar(200 - 60 * i, 120 + 40 * i, 230 - 30 * i));
            p.picturePath = pic;
            products.add(p);
        }
    }

    MemberRecord member;
    member.selected = 1;
    member.name = chinese ? QStringLiteral("王芳") : QStringLiteral("Anna Smith");
    member.sex = MemberRecord::sexWord("1");
    member.age = "34";
    CurrentMember::set(&member);

    const cv::Mat capture = syntheticSkin();
    if (QByteArray(argv[1 < argc ? 1 : 0]) == "main") {
        CMainDlg::setAnalysisWait(std::chrono::milliseconds(0));
        CMainDlg main(0, QString());
        main.resize(1366, 768);
        main.show();
        for (int i = 0; i < 8; ++i) {
            ItemResult& r = main.itemResults()[i];
            r.score = 48 + 7 * i;
            r.detectionImage = syntheticSkin(640, 480, 7 + i);
            r.analysisImage = marked(r.detectionImage);
            r.resultText = TextLookup::text("IDS_RESULT").toStdString();
            r.suggestionText = TextLookup::text("IDS_SUGGEST").toStdString();
        }
        main.sendCompletion();
        const QString menu = QString::number(argc > 2 ? std::atoi(argv[2]) : 1210);
        QTimer::singleShot(300, &main, [&main, menu] {
            if (auto* b = main.findChild<CGdipButton*>(menu))
                b->click();
        });
        QTimer::singleShot(ms, &qapp, [] { QApplication::quit(); });
        const int rc = qapp.exec();
        CurrentMember::set(nullptr);
        return rc;
    }
    CSingleReportDlg page(item, score, capture, marked(capture), TextLookup::text("IDS_RESULT"),
                          TextLookup::text("IDS_SUGGEST"), nullptr);
    page.resize(1106, 718);
    page.show();

    // Picks products 0, 2 and 0 again through the picker, as an operator would.
    int picks = 0;
    QTimer picker;
    QObject::connect(&picker, &QTimer::timeout, &page, [&] {
        if (picks == 3 || QApplication::activeModalWidget())
            return;
        const int row = picks == 1 ? 2 : 0;
        ++picks;
        QTimer::singleShot(50, [row] {
            if (auto* dlg = qobject_cast<CProductListDlg*>(QApplication::activeModalWidget())) {
                dlg->list()->SetSelectedRow(row);
                if (auto* ok = dlg->findChild<QAbstractButton*>(QStringLiteral("1207")))
                    ok->click();
            }
        });
        page.OnAddProduct();
    });
    picker.start(100);

    QTimer::singleShot(ms, &qapp, [] { QApplication::quit(); });
    const int rc = qapp.exec();
    CurrentMember::set(nullptr);
    return rc;
}
