#include "app/quit_when_shown.h"

#include <QCoreApplication>
#include <QEvent>
#include <QTimer>
#include <QWidget>

namespace kelvora {

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

void QuitWhenShownIfAsked()
{
    if (!qEnvironmentVariableIsSet("KELVORA_QUIT_WHEN_SHOWN"))
        return;
    QCoreApplication* app = QCoreApplication::instance();
    app->installEventFilter(new QuitAfterFirstPaint(app));
}

}  // namespace kelvora
