// Not a test: opens one member or product screen on sample data so that it can
// be looked at (under Xvfb, with a screenshot), then closes after a while.
//   data_screens_gallery members|member-details|products|product-details|picker [ms]
#include "CMyListCtrl.h"
#include "CProductDlg.h"
#include "CProductListDlg.h"
#include "CProduct_DetailsDlg.h"
#include "CTessalyApp.h"
#include "CTipDlg.h"
#include "CUserDataDlg.h"
#include "CUserData_DetailsDlg.h"
#include "MemberTable.h"
#include "ProductPickerOwner.h"
#include "ProductTable.h"
#include "SharedFonts.h"
#include "TextLookup.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFont>
#include <QFontDatabase>
#include <QProcess>
#include <QTemporaryDir>
#include <QTimer>

#include <opencv2/imgcodecs.hpp>
#include <opencv2/imgproc.hpp>

namespace {

void makePicture(const QString& path, int width, int height, const cv::Scalar& colour) {
    cv::Mat image(height, width, CV_8UC3, colour);
    cv::circle(image, {width / 2, height / 2}, std::min(width, height) / 3,
               cv::Scalar(245, 245, 250), cv::FILLED, cv::LINE_AA);
    cv::imwrite(QFile::encodeName(path).toStdString(), image);
}

class Owner : public ProductPickerOwner {
public:
    void appendRecommendedProduct(const ProductRecord&) override {}
};

} // namespace

int main(int argc, char** argv) {
    QApplication qapp(argc, argv);
    const QString which = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("members");
    const int ms = argc > 2 ? std::atoi(argv[2]) : 4000;

    QTemporaryDir folder;
    const QString built = QStringLiteral(VELATRIX_GALLERY_PROGRAM_DIR);
    QProcess::execute(QStringLiteral("cp"),
                      {QStringLiteral("-r"), built + "/Language", built + "/icons",
                       built + "/PreSetting", built + "/standard", folder.path()});
    QFont::insertSubstitutions(QStringLiteral("微软雅黑"), {QStringLiteral("Noto Sans CJK SC"),
                                                            QStringLiteral("WenQuanYi Micro Hei")});
    CTessalyApp app(folder.path());
    app.setTipHandler([](const QString& text, int kind) { CTipDlg::Show(text, kind); });
    app.m_nLanguage = which.endsWith(QLatin1String("-zh")) ? 0 : 2;
    TextLookup::chooseLanguageFile(app.m_nLanguage);
    SharedFonts::rebuild(app.m_nLanguage);

    {
        MemberTable members(app);
        members.open();
        const QStringList names{"Anna Smith", "王芳", "陳美玲", "O'Brien", "Lucy Chen", "李娜"};
        int i = 0;
        for (const QString& name : names) {
            MemberRecord m;
            m.name = name;
            m.sex = i % 3 == 2 ? "0" : "1";
            m.age = QString::number(24 + 3 * i);
            m.birthday = QString("19%1/0%2/1%3").arg(70 + 4 * i).arg(1 + i).arg(i);
            m.phone = QString("1380013%1").arg(1000 + 37 * i);
            m.email = QString("member%1@example.com").arg(i);
            m.address = "12 Rose Street";
            m.operatorName = "Lin";
            const QString pic = folder.filePath(QString("m%1.bmp").arg(i));
            makePicture(pic, 300, 360, cv::Scalar(120 + 20 * i, 150, 200 - 15 * i));
            m.picturePath = pic;
            members.add(m);
            ++i;
        }
        ProductTable products(app);
        products.open();
        const QStringList pnames{"Hydrating Serum", "玫瑰精华液", "Calming Toner", "Night Cream"};
        i = 0;
        for (const QString& name : pnames) {
            ProductRecord p;
            p.type = i % 2 ? "精华" : "Skin care";
            p.name = name;
            p.model = QString("VX-%1").arg(100 + i);
            p.price = QString::number(180 + 40 * i);
            p.function = "Soothes and hydrates dry, sensitive skin; strengthens the barrier.";
            p.course = "Morning and evening after cleansing, four weeks.";
            if (i != 2) {
                const QString pic = folder.filePath(QString("p%1.jpg").arg(i));
                makePicture(pic, 800, 600, cv::Scalar(200 - 30 * i, 120 + 30 * i, 230));
                p.picturePath = pic;
            }
            products.add(p);
            ++i;
        }
    }

    QTimer::singleShot(ms, &qapp, [] {
        for (QWidget* w : QApplication::topLevelWidgets())
            w->close();
        QApplication::quit();
    });
    MemberRecord current;
    Owner owner;
    const QString kind = which.section('-', 0, 0) == QLatin1String("member") &&
                                 which.contains(QLatin1String("details"))
                             ? QStringLiteral("member-details")
                             : which.section(QLatin1String("-zh"), 0, 0);
    if (kind == QLatin1String("members")) {
        CUserDataDlg screen(current);
        screen.list()->SetSelectedRow(1);
        screen.exec();
    } else if (kind == QLatin1String("member-details")) {
        MemberTable t(app);
        t.open();
        QList<MemberRecord> all;
        t.listAll(all);
        CUserData_DetailsDlg details(CUserData_DetailsDlg::ModeModify, all.value(1), {});
        details.exec();
    } else if (kind == QLatin1String("products")) {
        CProductDlg screen;
        screen.list()->SetSelectedRow(1);
        screen.exec();
    } else if (kind == QLatin1String("product-details")) {
        ProductTable t(app);
        t.open();
        QList<ProductRecord> all;
        t.listAll(all);
        CProduct_DetailsDlg details(CProduct_DetailsDlg::ModeModify, all.value(1), {});
        details.exec();
    } else {
        CProductListDlg picker(owner);
        picker.list()->SetSelectedRow(0);
        picker.exec();
    }
    return 0;
}
