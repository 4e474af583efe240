// Member and product screens, offscreen, on real database files in a
// temporary program folder. Tips and confirmations go through the application
// state, where the tests catch and answer them.
#include "CMyListCtrl.h"
#include "CProductDlg.h"
#include "CProductListDlg.h"
#include "CProduct_DetailsDlg.h"
#include "CTessalyApp.h"
#include "CUserDataDlg.h"
#include "CUserData_DetailsDlg.h"
#include "DataPaths.h"
#include "LimitedTextEdit.h"
#include "MemberTable.h"
#include "PictureBox.h"
#include "ProductPickerOwner.h"
#include "ProductTable.h"
#include "RawDatabase.h"
#include "TempProgramFolder.h"
#include "TextLookup.h"

#include <QAbstractButton>
#include <QDateEdit>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QTest>

#include <opencv2/imgcodecs.hpp>

#include <gtest/gtest.h>

namespace {

struct Tip {
    QString text;
    int kind;
    bool operator==(const Tip&) const = default;
};

std::ostream& operator<<(std::ostream& os, const Tip& t) {
    return os << '(' << t.text.toStdString() << ", " << t.kind << ')';
}

Tip tip(const char* key, int kind) {
    return {TextLookup::text(key), kind};
}

class ScreensTest : public ::testing::Test {
protected:
    ScreensTest() : folder({"Language"}), app(folder.path()) {
        TextLookup::chooseLanguageFile(2);
        app.setTipHandler([this](const QString& text, int kind) { tips.append({text, kind}); });
        app.setConfirmHandler(
            [this](const QString& message, const QString& first, const QString& second) {
                questions << QStringList{message, first, second};
                return answer;
            });
    }

    template <class T = QAbstractButton> static T* control(QWidget* screen, const char* id) {
        T* c = screen->findChild<T*>(QLatin1String(id));
        EXPECT_NE(c, nullptr) << id;
        return c;
    }

    void addMembers(const QList<MemberRecord>& members) {
        MemberTable table(app);
        ASSERT_TRUE(table.open());
        for (MemberRecord m : members) {
            ASSERT_EQ(table.add(m), DataResult::Ok);
        }
    }

    void addProducts(const QList<ProductRecord>& products) {
        ProductTable table(app);
        ASSERT_TRUE(table.open());
        for (ProductRecord p : products) {
            ASSERT_EQ(table.add(p), DataResult::Ok);
        }
    }

    void writeJpeg(const QString& relative, int width, int height) {
        cv::Mat image(height, width, CV_8UC3, cv::Scalar(40, 120, 200));
        ASSERT_TRUE(cv::imwrite(QFile::encodeName(folder.file(relative)).toStdString(), image));
    }

    TempProgramFolder folder;
    CTessalyApp app;
    QList<Tip> tips;
    QList<QStringList> questions;
    int answer = 2;
};

MemberRecord member(const QString& number, const QString& name, const QString& sex = "1") {
    MemberRecord m;
    m.number = number;
    m.name = name;
    m.sex = sex;
    m.age = "33";
    m.birthday = "1991/02/03";
    m.phone = "555";
    return m;
}

ProductRecord product(const QString& number, const QString& name, const QString& picture = {}) {
    ProductRecord p;
    p.number = number;
    p.type = "Cream";
    p.name = name;
    p.model = "M" + number;
    p.price = "120";
    p.picturePath = picture;
    return p;
}

// ---- member management --------------------------------------------------

TEST_F(ScreensTest, MemberScreenOnAMissingDatabaseShowsAnEmptyListAndNoTip) {
    folder.copy("standard");
    MemberRecord current;
    CUserDataDlg screen(current);
    EXPECT_EQ(screen.list()->GetItemCount(), 0);
    EXPECT_TRUE(tips.isEmpty());
    EXPECT_TRUE(QFileInfo::exists(folder.file("UserData.mdb")));
    EXPECT_TRUE(control<PictureBox>(&screen, "1037")->hasPicture()) << "the standard picture";
}

TEST_F(ScreensTest, StartDetectionHandsTheSelectedMemberOver) {
    addMembers({member("1", "Ann", "1"), member("2", "Bob", "0")});
    MemberRecord current;
    CUserDataDlg screen(current);
    ASSERT_EQ(screen.list()->GetItemCount(), 2);
    EXPECT_EQ(screen.list()->GetItemText(1, 2), TextLookup::text("IDS_MEMBER_SEX_MEN"));

    screen.list()->SetSelectedRow(1);
    EXPECT_EQ(control<QLabel>(&screen, "1079")->text(), "Bob");
    control(&screen, "1054")->click();
    EXPECT_EQ(screen.result(), QDialog::Accepted);
    EXPECT_EQ(current.selected, 1);
    EXPECT_EQ(current.number, "2");
    EXPECT_EQ(current.name, "Bob");
    EXPECT_EQ(current.sex, TextLookup::text("IDS_MEMBER_SEX_MEN")) << "the display word";
    EXPECT_EQ(screen.visitOpenedFromHistory(), 0);
    EXPECT_EQ(screen.handOverText(), "Bob");
}

TEST_F(ScreensTest, StartDetectionWithoutSelectionStaysAndClearsTheFlag) {
    addMembers({member("1", "Ann")});
    MemberRecord current = member("9", "Earlier");
    current.selected = 1;
    CUserDataDlg screen(current);
    control(&screen, "1054")->click();
    EXPECT_EQ(tips, QList<Tip>{tip("IDS_SELECT_USER", 2)});
    EXPECT_EQ(current.selected, 0);
    EXPECT_EQ(screen.result(), QDialog::Rejected);
    EXPECT_EQ(current.name, "Earlier");
}

TEST_F(ScreensTest, ClosingTheWindowClearsTheFlagAndCancels) {
    addMembers({member("1", "Ann")});
    MemberRecord current = member("9", "Earlier");
    current.selected = 1;
    CUserDataDlg screen(current);
    screen.show();
    screen.close();
    EXPECT_EQ(current.selected, 0);
    EXPECT_EQ(screen.result(), QDialog::Rejected);
}

TEST_F(ScreensTest, HistoryHandsOverTheChosenVisit) {
    addMembers({member("1", "Ann")});
    MemberRecord current;
    CUserDataDlg screen(current);
    screen.list()->SetSelectedRow(0);

    control(&screen, "1055")->click(); // no history list wired: nothing happens
    EXPECT_EQ(screen.result(), QDialog::Rejected);

    QString askedFor;
    bool chooses = false;
    screen.setHistoryOpener([&](QWidget*, const QString& name, QString& stamp) {
        askedFor = name;
        stamp = "202403051230";
        return chooses;
    });
    control(&screen, "1055")->click();
    EXPECT_EQ(askedFor, "Ann");
    EXPECT_EQ(screen.result(), QDialog::Rejected) << "left without a visit";
    EXPECT_EQ(current.selected, 0);

    chooses = true;
    control(&screen, "1055")->click();
    EXPECT_EQ(screen.result(), QDialog::Accepted);
    EXPECT_EQ(screen.visitOpenedFromHistory(), 1);
    EXPECT_EQ(screen.handOverText(), "202403051230");
    EXPECT_EQ(current.name, "Ann");
    EXPECT_EQ(current.selected, 1);
    EXPECT_EQ(current.sex, TextLookup::text("IDS_MEMBER_SEX_WOMEN"));
}

TEST_F(ScreensTest, SearchWithoutResultKeepsTheList) {
    addMembers({member("1", "Ann"), member("2", "Bob"), member("3", "O'Neil")});
    MemberRecord current;
    CUserDataDlg screen(current);
    auto* search = control<QLineEdit>(&screen, "1056");

    search->setText("ann");
    control(&screen, "1057")->click();
    EXPECT_EQ(tips, QList<Tip>{tip("IDS_SEARCH_FAIL", 2)});
    EXPECT_EQ(screen.list()->GetItemCount(), 3);

    search->setText("O'Neil");
    control(&screen, "1057")->click();
    ASSERT_EQ(screen.list()->GetItemCount(), 1);
    EXPECT_EQ(screen.list()->GetItemText(0, 1), "O'Neil");

    control(&screen, "1058")->click();
    EXPECT_EQ(screen.list()->GetItemCount(), 3);
}

TEST_F(ScreensTest, DeleteAsksFirstAndRemovesOnlyTheSelectedMember) {
    addMembers({member("1", "Ann"), member("2", "Ann"), member("3", "Bob")});
    MemberRecord current;
    CUserDataDlg screen(current);

    control(&screen, "1053")->click();
    EXPECT_EQ(tips, QList<Tip>{tip("IDS_SELECT_USER", 2)});
    EXPECT_TRUE(questions.isEmpty());

    screen.list()->SetSelectedRow(1);
    answer = 2;
    control(&screen, "1053")->click();
    ASSERT_EQ(questions.size(), 1);
    EXPECT_EQ(questions[0],
              (QStringList{TextLookup::text("IDS_DELETE_MAKESURE"), TextLookup::text("IDS_OK"),
                           TextLookup::text("IDS_CANCEL")}));
    EXPECT_EQ(screen.list()->GetItemCount(), 3) << "declined";

    answer = 1;
    control(&screen, "1053")->click();
    EXPECT_EQ(screen.list()->GetItemCount(), 2);
    EXPECT_EQ(control<QLabel>(&screen, "1079")->text(), "");
    RawDatabase raw(folder.file("UserData.mdb"));
    EXPECT_EQ(raw.rows("select Number from info order by Number"),
              (QList<QVariantList>{{"1"}, {"3"}}));
}

TEST_F(ScreensTest, DamagedMemberFileGivesTheErrorTipAndStaysAsItWas) {
    folder.write("UserData.mdb", QByteArray(8192, 'x'));
    MemberRecord current;
    CUserDataDlg screen(current);
    EXPECT_EQ(screen.list()->GetItemCount(), 0);
    ASSERT_FALSE(tips.isEmpty());
    EXPECT_EQ(tips.last().kind, 1);
    EXPECT_TRUE(tips.last().text.startsWith(TextLookup::text("IDS_WARN_CATCH")));
    EXPECT_GT(tips.last().text.size(), TextLookup::text("IDS_WARN_CATCH").size())
        << "the engine's message follows";
    control(&screen, "1058")->click();
    EXPECT_EQ(folder.read("UserData.mdb"), QByteArray(8192, 'x'));
}

// ---- member details -----------------------------------------------------

TEST_F(ScreensTest, MemberDetailsRefuseAnEmptyName) {
    int stored = 0;
    CUserData_DetailsDlg details(CUserData_DetailsDlg::ModeAdd, {}, [&](MemberRecord&) {
        ++stored;
        return true;
    });
    for (const char* name : {"", "   \t "}) {
        control<QLineEdit>(&details, "1039")->setText(name);
        control(&details, "1207")->click();
    }
    EXPECT_EQ(tips, (QList<Tip>{tip("IDS_INPUT_NAMEERROR", 1), tip("IDS_INPUT_NAMEERROR", 1)}));
    EXPECT_EQ(stored, 0);
    EXPECT_EQ(details.result(), 0) << "the dialog stays open";
}

TEST_F(ScreensTest, NewMemberGetsNumberCodesAndTheDefaultPicture) {
    MemberRecord stored;
    CUserData_DetailsDlg details(CUserData_DetailsDlg::ModeAdd, {}, [&](MemberRecord& r) {
        stored = r;
        return true;
    });
    control<QLineEdit>(&details, "1039")->setText("  Chen Li  ");
    control<QRadioButton>(&details, "1059")->setChecked(true);
    control<QDateEdit>(&details, "1061")->setDate(QDate(1990, 7, 4));
    control(&details, "1207")->click();

    EXPECT_EQ(details.result(), QDialog::Accepted);
    EXPECT_EQ(stored.name, "Chen Li");
    EXPECT_EQ(stored.sex, "0");
    EXPECT_EQ(stored.birthday, "1990/07/04");
    EXPECT_TRUE(stored.number.size() == 16 || stored.number.size() == 17)
        << stored.number.toStdString();
    EXPECT_EQ(stored.picturePath, DataPaths::defaultMemberPicture(app));
    EXPECT_EQ(tips, QList<Tip>{tip("IDS_ADD_SUCCESS", 0)});
}

TEST_F(ScreensTest, ChosenMemberPictureIsSavedAsBmpUnderTheName) {
    writeJpeg("face.jpg", 320, 240);
    MemberRecord stored;
    CUserData_DetailsDlg details(CUserData_DetailsDlg::ModeAdd, {}, [&](MemberRecord& r) {
        stored = r;
        return true;
    });
    control<QLineEdit>(&details, "1039")->setText("王芳");
    details.choosePicture(folder.file("face.jpg"));
    control(&details, "1207")->click();
    EXPECT_EQ(stored.picturePath, DataPaths::memberPictureFile(app, "王芳"));
    const cv::Mat saved =
        cv::imread(QFile::encodeName(stored.picturePath).toStdString(), cv::IMREAD_UNCHANGED);
    EXPECT_EQ(saved.cols, 320);
    EXPECT_EQ(saved.channels(), 3);
}

TEST_F(ScreensTest, ChangingAMemberKeepsItsOwnPictureBesideANamesake) {
    folder.write("ann1.bmp", "first Ann's face");
    folder.write("ann2.bmp", "second Ann's face");
    {
        MemberTable table(app);
        ASSERT_TRUE(table.open());
        MemberRecord a = member("1", "Ann");
        a.picturePath = folder.file("ann1.bmp");
        MemberRecord b = member("2", "Ann");
        b.picturePath = folder.file("ann2.bmp");
        ASSERT_EQ(table.add(a), DataResult::Ok);
        ASSERT_EQ(table.add(b), DataResult::Ok);
    }
    MemberRecord current;
    CUserDataDlg screen(current);
    screen.list()->SetSelectedRow(0);
    CUserData_DetailsDlg details(CUserData_DetailsDlg::ModeModify, screen.members().at(0),
                                 [&](MemberRecord& r) { return screen.changeMember(r); });
    control<QLineEdit>(&details, "1041")->setText("12345");
    control(&details, "1207")->click();
    EXPECT_EQ(tips.last(), tip("IDS_MOD_SUCCESS", 0));

    RawDatabase raw(folder.file("UserData.mdb"));
    EXPECT_EQ(raw.rows("select Phone, Photo from info order by Number"),
              (QList<QVariantList>{{"12345", QByteArray("first Ann's face")},
                                   {"555", QByteArray("second Ann's face")}}));
}

TEST_F(ScreensTest, MemberEditsRefuseInputBeyondTheCapacity) {
    MemberRecord longRemark = member("1", "Ann");
    longRemark.remark = QString(300, 'r'); // stored by another program
    CUserData_DetailsDlg details(CUserData_DetailsDlg::ModeModify, longRemark, {});
    const QList<QPair<const char*, int>> limits{{"1039", 31}, {"1047", 3},  {"1041", 31},
                                                {"1042", 31}, {"1043", 63}, {"1044", 31}};
    for (const auto& [id, limit] : limits) {
        auto* edit = control<QLineEdit>(&details, id);
        edit->clear();
        QTest::keyClicks(edit, QString(limit + 5, '7'));
        EXPECT_EQ(edit->text().size(), limit) << id;
    }
    auto* age = control<QLineEdit>(&details, "1047");
    age->clear();
    QTest::keyClicks(age, "4a2");
    EXPECT_EQ(age->text(), "42") << "digits only";

    auto* remark = control<LimitedTextEdit>(&details, "1045");
    EXPECT_EQ(remark->text().size(), 300) << "a stored longer text is shown whole";
    remark->setText("");
    QTest::keyClicks(remark, QString(260, 'x'));
    EXPECT_EQ(remark->text(), QString(255, 'x'));
    remark->moveCursor(QTextCursor::Start);
    remark->insertPlainText("pasted");
    EXPECT_EQ(remark->text(), QString(255, 'x')) << "nothing already written is pushed out";
}

// ---- products -------------------------------------------------------------

struct ProductValidation {
    const char* label;
    const char* name;
    const char* type;
    const char* model;
    const char* key;
};

void PrintTo(const ProductValidation& c, std::ostream* os) {
    *os << c.label;
}

class ProductDetailsValidation : public ScreensTest,
                                 public ::testing::WithParamInterface<ProductValidation> {};

TEST_P(ProductDetailsValidation, ChecksNameThenTypeThenModel) {
    const ProductValidation& c = GetParam();
    bool stored = false;
    CProduct_DetailsDlg details(CProduct_DetailsDlg::ModeAdd, {}, [&](ProductRecord&) {
        stored = true;
        return true;
    });
    control<QLineEdit>(&details, "1039")->setText(c.name);
    control<QLineEdit>(&details, "1065")->setText(c.type);
    control<QLineEdit>(&details, "1227")->setText(c.model);
    control(&details, "1153")->click();
    EXPECT_EQ(tips, QList<Tip>{tip(c.key, 1)});
    EXPECT_FALSE(stored);
    EXPECT_EQ(details.result(), 0);
}

INSTANTIATE_TEST_SUITE_P(
    FirstFailingCheck, ProductDetailsValidation,
    ::testing::Values(
        ProductValidation{"AllEmpty", "", "", "", "IDS_PRODUCT_NAME_NOT_NULL"},
        ProductValidation{"BlankName", " ", "Cream", "M1", "IDS_PRODUCT_NAME_NOT_NULL"},
        ProductValidation{"BlankType", "Rose", " \t", "", "IDS_PRODUCT_TYPE_NOT_NULL"},
        ProductValidation{"BlankModel", "Rose", "Cream", "  ", "IDS_PRODUCT_MODEL_NOT_NULL"}));

TEST_F(ScreensTest, ProductPictureIsStoredAtMost500Wide) {
    writeJpeg("wide.jpg", 1000, 750);
    ProductRecord stored;
    CProduct_DetailsDlg details(CProduct_DetailsDlg::ModeAdd, {}, [&](ProductRecord& r) {
        stored = r;
        return true;
    });
    control<QLineEdit>(&details, "1039")->setText(" Rose ");
    control<QLineEdit>(&details, "1065")->setText("Cream");
    control<QLineEdit>(&details, "1227")->setText("R-1");
    details.choosePicture(folder.file("wide.jpg"));
    control(&details, "1153")->click();
    EXPECT_EQ(details.result(), QDialog::Accepted);
    EXPECT_EQ(stored.name, "Rose");
    EXPECT_EQ(stored.picturePath, DataPaths::productPictureFile(app, "Rose"));
    const cv::Mat saved =
        cv::imread(QFile::encodeName(stored.picturePath).toStdString(), cv::IMREAD_UNCHANGED);
    EXPECT_EQ(saved.size(), cv::Size(500, 375));
}

TEST_F(ScreensTest, ProductDeleteRemovesTheSelectedLineOfEqualTypeAndName) {
    addProducts({product("1", "Rose"), product("2", "Rose"), product("3", "Rose")});
    CProductDlg screen;
    ASSERT_EQ(screen.list()->GetItemCount(), 3);
    screen.list()->SetSelectedRow(2);
    answer = 1;
    control(&screen, "1053")->click();
    EXPECT_EQ(screen.list()->GetItemCount(), 2);
    RawDatabase raw(folder.file("Product.mdb"));
    EXPECT_EQ(raw.rows("select Number from info order by Number"),
              (QList<QVariantList>{{"1"}, {"2"}}));
}

TEST_F(ScreensTest, ProductSearchByModelAndWithoutResult) {
    addProducts({product("1", "Rose"), product("2", "Lily")});
    CProductDlg screen;
    control<QRadioButton>(&screen, "1230")->setChecked(true);
    control<QLineEdit>(&screen, "1056")->setText("M2");
    control(&screen, "1057")->click();
    ASSERT_EQ(screen.list()->GetItemCount(), 1);
    EXPECT_EQ(screen.list()->GetItemText(0, 2), "Lily");
    control<QLineEdit>(&screen, "1056")->setText("Lily"); // a name, searched as a model
    control(&screen, "1057")->click();
    EXPECT_EQ(tips, QList<Tip>{tip("IDS_SEARCH_FAIL", 2)});
    EXPECT_EQ(screen.list()->GetItemCount(), 1);
}

TEST_F(ScreensTest, ProductEditsRefuseInputBeyondTheCapacity) {
    CProduct_DetailsDlg details(CProduct_DetailsDlg::ModeAdd, {}, {});
    for (const auto& [id, limit] :
         QList<QPair<const char*, int>>{{"1065", 127}, {"1039", 127}, {"1227", 63}, {"1125", 31}}) {
        EXPECT_EQ(control<QLineEdit>(&details, id)->maxLength(), limit) << id;
    }
    EXPECT_EQ(control<LimitedTextEdit>(&details, "1222")->maxLength(), 1023);
    EXPECT_EQ(control<LimitedTextEdit>(&details, "1223")->maxLength(), 1023);
}

// ---- product picker -------------------------------------------------------

class RecommendedProducts : public ProductPickerOwner {
public:
    void appendRecommendedProduct(const ProductRecord& p) override { products.append(p); }
    QList<ProductRecord> products;
};

TEST_F(ScreensTest, PickerAppendsTheChosenProductEachTimeItIsPicked) {
    folder.write("rose.bmp", "rose picture");
    addProducts({product("1", "Rose", folder.file("rose.bmp")), product("2", "Lily")});
    RecommendedProducts owner;
    {
        CProductListDlg picker(owner);
        ASSERT_EQ(picker.list()->GetItemCount(), 2);
        EXPECT_EQ(picker.list()->rowPicture(0), DataPaths::productPictureFile(app, "Rose"));
        EXPECT_EQ(picker.list()->rowPicture(1), "") << "no stored picture, no picture drawn";
        control(&picker, "1207")->click();
        EXPECT_EQ(tips, QList<Tip>{tip("IDS_SELECT_PRODUCT", 2)});
        EXPECT_TRUE(owner.products.isEmpty());
        picker.list()->SetSelectedRow(0);
        control(&picker, "1207")->click();
        EXPECT_EQ(picker.result(), QDialog::Accepted);
    }
    {
        CProductListDlg picker(owner);
        picker.list()->SetSelectedRow(0);
        control(&picker, "1207")->click();
    }
    ASSERT_EQ(owner.products.size(), 2);
    EXPECT_EQ(owner.products[0], owner.products[1]);
    EXPECT_EQ(owner.products[0].name, "Rose");
    EXPECT_EQ(owner.products[0].number, "");
}

} // namespace
