#pragma once

#include <QString>

class CTessalyApp;

// Where member and product data lives in the program folder. Names are mapped
// by SafeFileName, so no path built here reaches outside its folder.
//
// Threading: pure functions of the application state's folders.
class DataPaths {
public:
    static QString memberDatabase(const CTessalyApp& app);  // "UserData.mdb"
    static QString productDatabase(const CTessalyApp& app); // "Product.mdb"

    static QString memberImageFolder(const CTessalyApp& app);  // "PreSetting/member_image"
    static QString productImageFolder(const CTessalyApp& app); // "PreSetting/product_image"
    static QString memberPictureFile(const CTessalyApp& app, const QString& name);
    static QString productPictureFile(const CTessalyApp& app, const QString& name);
    static QString defaultMemberPicture(const CTessalyApp& app);  // "default.bmp"
    static QString defaultProductPicture(const CTessalyApp& app); // "nopicture.bmp"
    // Shown when member management opens: "standard/photo/women.bmp".
    static QString standardMemberPicture(const CTessalyApp& app);

    // The member's report folder "Reports/<name>" and picture folder
    // "Guests-Image/<name>" (the capture panel creates them, the report store
    // fills them). A folder made by an earlier version under the older name
    // mapping is returned while no folder of the current mapping exists and
    // the older folder can belong to no other name (SafeFileName).
    static QString memberReportFolder(const CTessalyApp& app, const QString& name);
    static QString memberPictureFolder(const CTessalyApp& app, const QString& name);
    // The walk-in guests' folders "Reports/Guest" and "Guests-Image/Guest"; a
    // member named "Guest" shares them.
    static QString guestReportFolder(const CTessalyApp& app);
    static QString guestPictureFolder(const CTessalyApp& app);
};
