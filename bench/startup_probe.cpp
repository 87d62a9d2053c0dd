// kelvora-startup-probe: the program as it starts, ending as soon as its
// first window has been painted, so scripts/measure-startup can time the
// start-up from outside. Only the benchmark build has it; the program
// itself reads no environment variables.

#include "app/program.h"
#include "menu/menu_window.h"

#include <QApplication>
#include <QEvent>
#include <QTimer>
#include <QWidget>

namespace {

class QuitAfterFirstPaint : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        auto* widget = qobject_cast<QWidget*>(watched);
        if (event->type() == QEvent::Paint && widget && widget->isVisible() && !quitting_) {
            quitting_ = true;
            // After this paint and the rest of the window's, once the
            // event loop is back.
            QTimer::singleShot(0, QCoreApplication::instance(), &QCoreApplication::quit);
        }
        return false;
    }

private:
    bool quitting_ = false;
};

}  // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    kelvora::SetUpProgram(app);
    app.installEventFilter(new QuitAfterFirstPaint(&app));
    kelvora::ShowMenu();
    return QApplication::exec();
}
