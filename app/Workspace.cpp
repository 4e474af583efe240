#include "Workspace.h"

#include "CTessalyApp.h"

#include <QDir>

void Workspace::prepare(const CTessalyApp& app) {
    QDir dir;
    if (!dir.exists(app.m_strImagePath))
        dir.mkpath(app.m_strImagePath);
    const QString reports = app.m_strAppPath + "Reports";
    if (!dir.exists(reports))
        dir.mkpath(reports);
}
