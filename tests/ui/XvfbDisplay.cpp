#include "XvfbDisplay.h"

#include <QCoreApplication>
#include <QThread>

#include <fcntl.h>
#include <unistd.h>

XvfbDisplay::XvfbDisplay() {
    // Xvfb writes the display number it chose to the descriptor it is given.
    int fds[2];
    if (pipe(fds) != 0)
        return;
    m_server.setProgram(QStringLiteral("Xvfb"));
    m_server.setArguments({QStringLiteral("-displayfd"), QString::number(fds[1]),
                           QStringLiteral("-screen"), QStringLiteral("0"),
                           QStringLiteral("1600x900x24"), QStringLiteral("-nolisten"),
                           QStringLiteral("tcp")});
    m_server.setChildProcessModifier([fd = fds[1]] { fcntl(fd, F_SETFD, 0); });
    m_server.start();
    ::close(fds[1]);
    if (!m_server.waitForStarted(10000)) {
        ::close(fds[0]);
        return;
    }
    QByteArray number;
    char c = 0;
    while (::read(fds[0], &c, 1) == 1 && c != '\n')
        number += c;
    ::close(fds[0]);
    if (!number.isEmpty())
        m_name = ':' + QString::fromLatin1(number);
}

XvfbDisplay::~XvfbDisplay() {
    if (m_server.state() != QProcess::NotRunning) {
        m_server.terminate();
        if (!m_server.waitForFinished(5000))
            m_server.kill();
        m_server.waitForFinished(5000);
    }
}

QProcessEnvironment XvfbDisplay::environment() const {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("DISPLAY"), m_name);
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
    env.remove(QStringLiteral("WAYLAND_DISPLAY"));
    // A private single-instance name: programs on this display only meet each other.
    env.insert(
        QStringLiteral("VELATRIX_INSTANCE"),
        QStringLiteral("test-%1-%2").arg(QCoreApplication::applicationPid()).arg(m_name.mid(1)));
    return env;
}

QString XvfbDisplay::windowTree() const {
    QProcess p;
    p.setProcessEnvironment(environment());
    p.start(QStringLiteral("xwininfo"), {QStringLiteral("-root"), QStringLiteral("-tree")});
    p.waitForFinished(10000);
    return QString::fromUtf8(p.readAllStandardOutput());
}

bool XvfbDisplay::screenshot(const QString& file) const {
    QProcess p;
    p.setProcessEnvironment(environment());
    p.start(QStringLiteral("import"), {QStringLiteral("-window"), QStringLiteral("root"), file});
    return p.waitForFinished(20000) && p.exitCode() == 0;
}
