#pragma once

#include <QString>

#include <array>

// The cameras the program works with, by USB product and vendor id.
//
// Threading: stateless apart from the constant table; any thread.

// One row: product id and vendor id as 4 hexadecimal characters; an empty row
// matches nothing.
struct AcceptedCameraRow {
    const char* product;
    const char* vendor;
};

// 100 rows; the first is the skin camera's controller (product "6340",
// vendor "0C45"), the others are empty.
const std::array<AcceptedCameraRow, 100>& acceptedCameraTable();

// The accepted-camera test on a display name: the 4 characters that start 4
// after the first "pid" (and the first "vid") are the product (vendor) id,
// compared with the table ignoring case, product first. A name without "pid"
// or "vid" is rejected.
bool IsAcceptedCamera(const QString& displayName);
