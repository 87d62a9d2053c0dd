// The viewer window: its controls as designed, the layout over the screen,
// and showing what the model says. The host side of capture and playback
// is in viewer_frames.cpp, the keys in viewer_input.cpp, 保存 in
// viewer_save.cpp.

#include "viewer/viewer_window.h"

#include "canvas/numeric.h"
#include "raster/raster_surface.h"
#include "viewer/steady_playback_clock.h"
#include "viewer/control_widgets.h"

#include <QCloseEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPainter>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QResizeEvent>
#include <QScreen>
#include <QScrollBar>
#include <QSignalBlocker>

#include <cmath>

namespace kelvora {

namespace {

// The size of the window's own text (message boxes and tooltips) at the
// design's screen.
constexpr double kWindowPoints = 9;

// The viewer's icon: a wave in the 16-colour palette, 32 x 32.
QIcon viewerIcon()
{
    QImage image(32, 32, QImage::Format_Indexed8);
    image.setColorTable({qRgb(192, 192, 192), qRgb(0, 0, 128), qRgb(255, 0, 0)});
    image.fill(0);
    QPixmap pixmap = QPixmap::fromImage(image);
    QPainter painter(&pixmap);
    painter.setPen(QPen(QColor(0, 0, 128), 1));
    painter.drawLine(2, 16, 29, 16);
    painter.setPen(QPen(QColor(255, 0, 0), 2));
    QPolygonF wave;
    for (int x = 2; x <= 29; ++x)
        wave << QPointF(x, 16 - 10 * std::sin((x - 2) * 6.28318 / 27));
    painter.drawPolyline(wave);
    return QIcon(pixmap);
}

}  // namespace

ViewerWindow::ViewerWindow(int sceneIndex, QWidget* parent)
    : QWidget(parent)
    , description_(DescribeViewer(sceneIndex, WorksheetMedium::PdfFile))
{
    setObjectName(QStringLiteral("Form1"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QString::fromStdString(description_.windowCaption));
    setWindowIcon(viewerIcon());
    QPalette grey = palette();
    grey.setColor(QPalette::Window, ToQColor(description_.background));
    for (QPalette::ColorRole role : {QPalette::WindowText, QPalette::ButtonText, QPalette::Text})
        grey.setColor(QPalette::Disabled, role, ToQColor(description_.disabledText));
    setPalette(grey);
    setAutoFillBackground(true);
    setFont(JapaneseFont(kWindowPoints));
    const PixelRect design = TwipsToPixels(description_.designArea);
    resize(design.width, design.height);

    captureTimer_.setSingleShot(true);
    messageSink_ = [this](const QString& text) {
        // Not modal to the application and not a nested event loop: the
        // viewer stays as it is while the box is up.
        auto* box = new QMessageBox(QMessageBox::Warning, QStringLiteral("Kelvora"), text, QMessageBox::Ok, this);
        box->setAttribute(Qt::WA_DeleteOnClose);
        box->open();
    };

    createControls();
    model_ = std::make_unique<ViewerModel>(sceneIndex, static_cast<ViewerHost&>(*this),
        std::make_shared<SteadyPlaybackClock>());
    workerSource_ = std::make_unique<WorkerFrameSource>(*model_, frameStore_, *picture_, this);
    pictureSource_ = std::make_unique<PictureFrameSource>(*model_,
        PictureFrameSource::Host{[this]() -> Canvas& { return picture_->canvas(); },
            // One frame per pass of the event loop.
            [this] { captureTimer_.start(0); }, [this] { captureTimer_.stop(); },
            [this](int k) { frameStore_.write(k, picture_->surface().image()); }, [this] { picture_->repaint(); }});
    connect(&captureTimer_, &QTimer::timeout, this, [this] { pictureSource_->drawPending(); });
    layOutOverScreen();
    showModel();
    connectControls();

    // The keys act wherever the focus is in the window, and the wheel turns
    // the scroll bars: each control's events pass through eventFilter first.
    installEventFilter(this);
    for (QWidget* child : findChildren<QWidget*>())
        child->installEventFilter(this);
}

ViewerWindow::~ViewerWindow()
{
    model_->close();
    workerSource_.reset();  // joins the drawing threads while the window is whole
}

void ViewerWindow::createControls()
{
    for (const ControlDescription& c : description_.controls) {
        if (c.role == ControlRole::Picture) {
            picture_ = new PictureBox(this);
            ApplyDescription(picture_, c);
            controls_.push_back(picture_);
        } else {
            controls_.push_back(BuildControl(c, this));
        }
    }
    StackAndChain(description_.controls, controls_);
    drawButton_ = control<QPushButton>("draw");
    playButton_ = control<QPushButton>("play");
    pauseButton_ = control<QPushButton>("pause");
    stepButton_ = control<QPushButton>("step");
    endButton_ = control<QPushButton>("end");
    saveButton_ = control<QPushButton>("save");
    frames12_ = control<QRadioButton>("frames12");
    frames24_ = control<QRadioButton>("frames24");
    speedBar_ = control<QScrollBar>("speed");
    parameterBar_ = control<QScrollBar>("parameter");
    speedLabel_ = control<QLabel>("speed-label");
    fastLabel_ = control<QLabel>("fast-label");
    slowLabel_ = control<QLabel>("slow-label");
    parameterLabel_ = control<QLabel>("parameter-label");
    titleLabel_ = control<QLabel>("title");
    frameReadout_ = control<QLabel>("readout");
    saveStatus_ = control<QLabel>("save-status");
    parameterText_ = control<QLineEdit>("parameter-text");
    controls_[description_.indexOf(description_.initialFocus)]->setFocus();
}

void ViewerWindow::connectControls()
{
    connect(drawButton_, &QPushButton::clicked, this, [this] { model_->pressDraw(); });
    connect(playButton_, &QPushButton::clicked, this, [this] { model_->pressPlay(); });
    connect(pauseButton_, &QPushButton::clicked, this, [this] { model_->pressPause(); });
    connect(stepButton_, &QPushButton::clicked, this, [this] { model_->pressStep(); });
    connect(endButton_, &QPushButton::clicked, this, [this] { end(); });
    connect(saveButton_, &QPushButton::clicked, this, [this] { save(); });
    connect(frames12_, &QRadioButton::toggled, this, [this](bool on) {
        if (on)
            model_->chooseFrameCount(12);
    });
    connect(frames24_, &QRadioButton::toggled, this, [this](bool on) {
        if (on)
            model_->chooseFrameCount(24);
    });
    connect(speedBar_, &QScrollBar::valueChanged, this, [this](int value) { model_->setSpeed(value); });
    connect(parameterBar_, &QScrollBar::valueChanged, this, [this](int value) { model_->setParameter(value); });
    // The steps for a finger, hidden under a mouse, move the bars as their
    // arrows do.
    const auto step = [this](const char* button, QScrollBar* bar, QAbstractSlider::SliderAction action) {
        connect(control<QPushButton>(button), &QPushButton::clicked, bar, [bar, action] { bar->triggerAction(action); });
    };
    step("speed-less", speedBar_, QAbstractSlider::SliderSingleStepSub);
    step("speed-more", speedBar_, QAbstractSlider::SliderSingleStepAdd);
    step("parameter-less", parameterBar_, QAbstractSlider::SliderSingleStepSub);
    step("parameter-more", parameterBar_, QAbstractSlider::SliderSingleStepAdd);
    connectProbe();
}

// Over the whole screen. Without a window manager a maximised or full
// screen window keeps its natural size, so the geometry is set outright.
void ViewerWindow::layOutOverScreen()
{
    setGeometry(screen()->geometry());
    layOutControls();
    picture_->createSurface();
    // A turned or re-sized screen takes the window with it.
    connect(screen(), &QScreen::geometryChanged, this, [this](const QRect& area) { setGeometry(area); });
}

// With a mouse, and without scrolling: on a small screen the controls flow
// where they all fit.
void ViewerWindow::layOutControls()
{
    const WindowLayout layout = LayOutViewer(description_, width(), height(), Pointer::Fine, Scrolling::None);
    ApplyLayout(description_.controls, controls_, layout);
    setFont(JapaneseFont(kWindowPoints * layout.textScale));
}

// The frames shown go on as they are, scaled to fit; the model has them
// drawn again once the size settles, and allocateFrames takes the new size.
void ViewerWindow::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    if (!model_)
        return;
    layOutControls();
    if (picture_->surfaceOutOfDate())
        model_->pictureResized();
}

void ViewerWindow::showModel()
{
    const ViewerControls controls = model_->controls();
    drawButton_->setEnabled(controls.draw);
    playButton_->setEnabled(controls.play);
    pauseButton_->setEnabled(controls.pause);
    stepButton_->setEnabled(controls.step);
    endButton_->setEnabled(controls.end);
    saveButton_->setEnabled(controls.save);
    frames12_->setEnabled(controls.frameCount);
    frames24_->setEnabled(controls.frameCount);
    speedBar_->setEnabled(controls.speed);
    parameterBar_->setEnabled(controls.parameter);
    {
        const QSignalBlocker quiet12(frames12_);
        const QSignalBlocker quiet24(frames24_);
        (model_->frameCountChoice() == 24 ? frames24_ : frames12_)->setChecked(true);
    }
    const ParameterControl& parameter = model_->parameter();
    {
        const QSignalBlocker quiet(parameterBar_);
        parameterBar_->setPageStep(parameter.largeChange);
        parameterBar_->setRange(parameter.min, parameter.max);
        parameterBar_->setValue(parameter.value);
    }
    const QString text = QString::fromStdString(parameter.text);
    if (parameterText_->text() != text)
        parameterText_->setText(text);
    const QString readout = QString::fromStdString(model_->frameReadout());
    if (frameReadout_->text() != readout)
        frameReadout_->setText(readout);
    showProbeArea();
    nameLiveControls();
}

void ViewerWindow::end()
{
    model_->pressEnd();
    // Whoever shows the menu might close this window already.
    const QPointer<ViewerWindow> self(this);
    emit menuRequested();
    if (self)
        close();
}

void ViewerWindow::closeEvent(QCloseEvent* event)
{
    model_->close();
    event->accept();
}

}  // namespace kelvora
