#pragma once

#include <QProcess>
#include <QString>

// A private X server for one test, on the first free display number.
class XvfbDisplay {
public:
    XvfbDisplay();
    ~XvfbDisplay();
    XvfbDisplay(const XvfbDisplay&) = delete;
    XvfbDisplay& operator=(const XvfbDisplay&) = delete;

    bool running() const { return !m_name.isEmpty(); }
    QString name() const { return m_name; } // ":N"

    // Environment for a program that should show its windows here.
    QProcessEnvironment environment() const;
    // Output of `xwininfo -root -tree`, the windows on the display.
    QString windowTree() const;
    // Saves a screenshot of the whole screen.
    bool screenshot(const QString& file) const;

private:
    QProcess m_server;
    QString m_name;
};
