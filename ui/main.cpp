#include "ProgramStartup.h"

#include <QApplication>

int main(int argc, char** argv) {
    QApplication qapp(argc, argv);
    return ProgramStartup::run(QApplication::applicationDirPath() + '/');
}
