// kelvora-viewer-debug SCENE: opens the viewer straight on one scene, the
// way the menu does, for looking at it during development.

#include "app/shared_state.h"
#include "scenes/scene_catalogue.h"
#include "viewer/form1.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QScrollBar>

#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    const int scene = argc > 1 ? std::atoi(argv[1]) : 0;
    const kelvora::SceneInfo* info = kelvora::FindScene(scene);
    if (!info) {
        std::fprintf(stderr, "usage: kelvora-viewer-debug SCENE (0 to 15)\n");
        return 2;
    }
    kelvora::Shared().SceneIndex = static_cast<std::int16_t>(scene);
    auto* viewer = new kelvora::Form1();
    viewer->show();
    if (!info->hasParameter) {
        viewer->HScroll2()->setVisible(false);
        viewer->Label4()->setVisible(false);
        viewer->Text1()->setVisible(false);
    }
    viewer->Label5()->setText(QString::fromUtf8(info->viewerTitle));
    return QApplication::exec();
}
