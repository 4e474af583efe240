#pragma once

#include "CDetailsDlg.h"
#include "MemberRecord.h"

#include <functional>

class LimitedTextEdit;
class QDateEdit;
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
class CUserData_DetailsDlg : public CDetailsDlg {
    Q_OBJECT
public:
    // Stores the record; true on success. May renumber a new record.
    using Store = std::function<bool(MemberRecord& record)>;

    CUserData_DetailsDlg(Mode mode, const MemberRecord& record, Store store,
                         QWidget* parent = nullptr);

    // The record as last saved.
    const MemberRecord& record() const { return m_record; }

    static constexpr QSize kClientSize{559, 500};

private slots:
    void OnSave();

private:
    void buildControls();
    void fillFromRecord();

    MemberRecord m_record;
    Store m_store;

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
};
