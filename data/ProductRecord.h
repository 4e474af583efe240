#pragma once

#include <QString>

// One product in memory: a line of the product list or picker, the record
// edited by the details dialog, and a product recommended on a report.
//
// Capacities as in MemberRecord: UTF-16 code units, terminator counted.
//
// Threading: a plain value; no thread affinity.
struct ProductRecord {
    static constexpr int kNumberCapacity = 128;
    static constexpr int kTypeCapacity = 128;
    static constexpr int kNameCapacity = 128;
    static constexpr int kModelCapacity = 64;
    static constexpr int kPriceCapacity = 32;
    static constexpr int kFunctionCapacity = 1024;
    static constexpr int kCourseCapacity = 1024;
    static constexpr int kPicturePathCapacity = 256;

    static constexpr int maxChars(int capacity) { return capacity - 1; }

    QString number;
    QString type;
    QString name;
    QString model;
    QString price;
    QString function;
    QString course;
    QString picturePath; // full path of the product's picture file

    bool operator==(const ProductRecord&) const = default;
};
