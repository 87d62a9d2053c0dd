// Kelvora: the program starts at the menu window and nothing else.

#include "app/program.h"
#include "menu/menu_window.h"

#include <QApplication>

#include <cstdio>

int main(int argc, char** argv)
{
    if (!kelvora::DisplayAvailable()) {
        std::fprintf(stderr, "kelvora: no display found (DISPLAY is not set); try: xvfb-run scripts/run\n");
        return 1;
    }
    QApplication app(argc, argv);
    kelvora::SetUpProgram(app);
    kelvora::ShowMenu();
    return QApplication::exec();
}
