#pragma once

#include <QString>

// Member and product names name folders and files: "Reports/<name>",
// "Guests-Image/<name>", "PreSetting/member_image/<name>.bmp",
// "PreSetting/product_image/<name>.bmp". A name is typed freely by the
// operator, so it is mapped to one path component that cannot leave its
// folder, and two different names never map to the same component:
// - "%", "/", NUL and the other control characters become "%" and two hex
//   digits (escaping "%" itself keeps "a/b" and "a%2Fb" apart);
// - ".", ".." and the empty name become escaped forms ("%2E", "%2E%2E", "%"),
//   which no other name produces;
// - a name too long for one file name (in UTF-8 bytes) is cut and given
//   "%~" and a hash of the whole name; "%~" never occurs in a short mapping.
// Every other name, Chinese included, is kept as it stands, so members of the
// same name still share their folders and picture file.
//
// Folders made before "%" was escaped carry the older mapping (legacyFromName);
// DataPaths finds them there while no folder of the current mapping exists.
//
// Every subsystem that turns a member name into a folder must use this
// mapping, or their folders drift apart.
//
// Threading: pure function.
class SafeFileName {
public:
    static QString fromName(const QString& name);

    // The mapping of earlier versions: "%" kept as it is and long names tagged
    // "~" + 12 hex digits. Several names could share one result.
    static QString legacyFromName(const QString& name);

    // True when a folder under legacyFromName(name) can only have been made
    // for this name (or its namesakes) and may be used as the name's own: the
    // older mapping differs from the current one and is no current mapping of
    // another name.
    static bool legacyBelongsTo(const QString& name);

    // True when exactly one name maps to `component` by fromName(): a folder
    // of that name belongs to that name alone under the current mapping.
    static bool isCurrentMapping(const QString& component);

    // Room left for an extension such as ".bmp" within the 255-byte limit of
    // one file name.
    static constexpr int kMaxBytes = 240;
};
