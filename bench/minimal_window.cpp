#include <QApplication>

#include "bench/minimal_window.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const auto window = runeshot::bench::makeMinimalWindow();
    window->show();
    return QApplication::exec();
}
