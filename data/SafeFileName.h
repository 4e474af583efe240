#pragma once

#include <QString>

// Member and product names name folders and files: "Reports/<name>",
// "Guests-Image/<name>", "PreSetting/member_image/<name>.bmp",
// "PreSetting/product_image/<name>.bmp". A name is typed freely by the
// operator, so it is mapped to one path component that cannot leave its
// folder:
// - "/", NUL and the other control characters become "%" and two hex digits;
// - ".", ".." and the empty name become escaped forms ("%2E", "%2E%2E", "%00");
// - a name too long for one file name (in UTF-8 bytes) is cut and given a
//   short hash of the whole name, so different long names stay apart.
// Every other name, Chinese included, is kept as it stands, so members of the
// same name still share their folders and picture file.
//
// Every subsystem that turns a member name into a folder must use this
// mapping, or their folders drift apart.
//
// Threading: pure function.
class SafeFileName {
public:
    static QString fromName(const QString& name);

    // Room left for an extension such as ".bmp" within the 255-byte limit of
    // one file name.
    static constexpr int kMaxBytes = 240;
};
