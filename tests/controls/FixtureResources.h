#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>
#include <QTemporaryDir>

// A throw-away resource folder laid out like the embedded resources
// ("PNG/413.png", "GIF/362.gif"); while it exists the controls load from it.
class FixtureResources {
public:
    FixtureResources();
    ~FixtureResources();

    void addPicture(int id, const QString& type, const QImage& image);
    void addData(int id, const QString& type, const QByteArray& data);

private:
    QTemporaryDir m_dir;
    QString m_previousRoot;
};
