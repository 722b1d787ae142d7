#include <QApplication>

#include "Main.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    return Programm();
}
