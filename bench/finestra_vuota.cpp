// The yardstick of bench/avvio.sh: an empty window started as the program
// starts its own, measured by the same hook.
#include "MisuraAvvio.h"

#include <QApplication>
#include <QWidget>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QWidget finestra;
    finestra.show();
    corsa::MisuraPrimoDisegno(&finestra);
    return app.exec();
}
