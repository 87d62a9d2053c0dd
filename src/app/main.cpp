// Kelvora: the program starts at the menu window and nothing else.

#include "kelvora_version.h"

#include "app/program.h"
#include "menu/menu_window.h"

#include <QApplication>

#include <cstdio>
#include <string_view>

int main(int argc, char** argv)
{
    // Answered before anything needs a display, so it works anywhere.
    for (int i = 1; i < argc; ++i) {
        if (std::string_view(argv[i]) == "--version") {
            std::printf("kelvora %s\n", KELVORA_VERSION);
            return std::fflush(stdout) == 0 ? 0 : 1;
        }
    }
    if (!kelvora::DisplayAvailable()) {
        // The command as it was typed: "kelvora" when installed, the path to
        // the program when run from a build tree.
        const char* command = argc > 0 && argv[0][0] != '\0' ? argv[0] : "kelvora";
        std::fprintf(stderr, "kelvora: no display found (DISPLAY is not set); try: xvfb-run %s\n", command);
        return 1;
    }
    QApplication app(argc, argv);
    kelvora::SetUpProgram(app);
    kelvora::ShowMenu();
    return QApplication::exec();
}
