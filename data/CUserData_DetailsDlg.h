#pragma once

#include "CDrawnFrameDlg.h"
#include "MemberRecord.h"

#include <functional>

class CGdipButton;
class LimitedTextEdit;
class PictureBox;
class QDateEdit;
class QLabel;
class QLineEdit;
class QRadioButton;

// Adds a member or changes one: the member's fields, sex, birthday and picture.
// Saving checks the name, gives a new member its number, saves the chosen
// picture as "<name>.bmp" in the member photo folder and hands the record to
// `store` (the management screen's add or change), then closes with OK.
//
// Every edit refuses input beyond the record's capacity.
//
// Threading: GUI thread only.
class CUserData_DetailsDlg : public CDrawnFrameDlg {
    Q_OBJECT
public:
    enum Mode { ModeAdd = 0, ModeModify = 1 };
    // Stores the record; true on success. May renumber a new record.
    using Store = std::function<bool(MemberRecord& record)>;

    CUserData_DetailsDlg(Mode mode, const MemberRecord& record, Store store,
                         QWidget* parent = nullptr);

    // Takes a picture file as the chosen picture and shows it (what the scan
    // button does with the file the operator picks).
    void choosePicture(const QString& path);
    QString chosenPicture() const { return m_chosen; }

    // The record as last saved.
    const MemberRecord& record() const { return m_record; }

    static constexpr QSize kClientSize{559, 500};

protected:
    void keyPressEvent(QKeyEvent* event) override;

private slots:
    void OnScan();
    void OnSave();

private:
    void buildControls();
    void fillFromRecord();

    Mode m_mode;
    MemberRecord m_record;
    Store m_store;
    QString m_chosen;
    bool m_pictureChosen = false; // the operator picked a picture in this dialog

    QLineEdit* m_name = nullptr;
    QRadioButton* m_male = nullptr;
    QRadioButton* m_female = nullptr;
    QLineEdit* m_age = nullptr;
    QDateEdit* m_birthday = nullptr;
    QLineEdit* m_phone = nullptr;
    QLineEdit* m_email = nullptr;
    QLineEdit* m_address = nullptr;
    QLineEdit* m_operator = nullptr;
    LimitedTextEdit* m_remark = nullptr;
    PictureBox* m_picture = nullptr;
    CGdipButton* m_scan = nullptr;
    CGdipButton* m_ok = nullptr;
    CGdipButton* m_cancel = nullptr;
};
