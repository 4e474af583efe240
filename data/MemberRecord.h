#pragma once

#include <QString>

// One member in memory: a line of the member list, the record edited by the
// details dialog, and the start page's current member.
//
// The capacities are those of the stored record layout, in UTF-16 code units
// with the terminator counted, so a field holds at most capacity - 1
// characters. The edits refuse longer input; values read from the database are
// kept whole (QString never overflows into a neighbour).
//
// Threading: a plain value; no thread affinity.
struct MemberRecord {
    static constexpr int kNumberCapacity = 32;
    static constexpr int kNameCapacity = 32;
    static constexpr int kSexCapacity = 32;
    static constexpr int kAgeCapacity = 4;
    static constexpr int kBirthdayCapacity = 32;
    static constexpr int kPhoneCapacity = 32;
    static constexpr int kEmailCapacity = 32;
    static constexpr int kAddressCapacity = 64;
    static constexpr int kOperatorCapacity = 32;
    static constexpr int kRemarkCapacity = 256;
    static constexpr int kPicturePathCapacity = 256;

    // Longest text a field of the given capacity takes.
    static constexpr int maxChars(int capacity) { return capacity - 1; }

    int selected = 0; // 1 in the start page's current member after a hand-over
    QString number;
    QString name;
    QString sex; // "0" male, anything else female; the display word after a hand-over
    QString age;
    QString birthday; // "yyyy/MM/dd"
    QString phone;
    QString email;
    QString address;
    QString operatorName;
    QString remark;
    QString picturePath; // full path of the member's picture file

    // The word shown for a sex code: IDS_MEMBER_SEX_MEN for "0", otherwise
    // IDS_MEMBER_SEX_WOMEN, in the current language.
    static QString sexWord(const QString& code);

    // The record as the start page keeps it after a hand-over: sex as its
    // display word and the member-selected flag set.
    MemberRecord handedOver() const;

    bool operator==(const MemberRecord&) const = default;
};
