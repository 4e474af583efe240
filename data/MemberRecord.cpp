#include "MemberRecord.h"

#include "TextLookup.h"

QString MemberRecord::sexWord(const QString& code) {
    return TextLookup::text(code == QLatin1String("0") ? "IDS_MEMBER_SEX_MEN"
                                                       : "IDS_MEMBER_SEX_WOMEN");
}

MemberRecord MemberRecord::handedOver() const {
    MemberRecord r = *this;
    r.sex = sexWord(sex);
    r.selected = 1;
    return r;
}
