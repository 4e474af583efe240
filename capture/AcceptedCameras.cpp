#include "AcceptedCameras.h"

const std::array<AcceptedCameraRow, 100>& acceptedCameraTable() {
    static const std::array<AcceptedCameraRow, 100> table = [] {
        std::array<AcceptedCameraRow, 100> rows{};
        for (auto& row : rows)
            row = {"", ""};
        rows[0] = {"6340", "0C45"};
        return rows;
    }();
    return table;
}

bool IsAcceptedCamera(const QString& displayName) {
    const qsizetype pid = displayName.indexOf(QLatin1String("pid"));
    const qsizetype vid = displayName.indexOf(QLatin1String("vid"));
    if (pid < 0 || vid < 0)
        return false;
    // "pid" and its separator come first: the id starts 4 characters later.
    const QString product = displayName.mid(pid + 4, 4);
    const QString vendor = displayName.mid(vid + 4, 4);
    if (product.size() != 4 || vendor.size() != 4)
        return false;
    for (const AcceptedCameraRow& row : acceptedCameraTable()) {
        if (row.product[0] == '\0')
            continue;
        if (product.compare(QLatin1String(row.product), Qt::CaseInsensitive) == 0 &&
            vendor.compare(QLatin1String(row.vendor), Qt::CaseInsensitive) == 0)
            return true;
    }
    return false;
}
