// kelvora-viewer-debug SCENE: opens the viewer straight on one scene, the
// way the menu does, for looking at it during development.

#include "scenes/scene_catalogue.h"
#include "viewer/viewer_window.h"

#include <QApplication>

#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    const int scene = argc > 1 ? std::atoi(argv[1]) : 0;
    if (!kelvora::FindScene(scene)) {
        std::fprintf(stderr, "usage: kelvora-viewer-debug SCENE (0 to 15)\n");
        return 2;
    }
    auto* viewer = new kelvora::ViewerWindow(scene);
    viewer->show();
    return QApplication::exec();
}
