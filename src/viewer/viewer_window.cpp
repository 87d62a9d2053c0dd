// The viewer window: its controls as designed, the layout over the screen,
// and showing what the model says. The host side of capture and playback
// is in viewer_frames.cpp, the keys in viewer_input.cpp, 保存 in
// viewer_save.cpp.

#include "viewer/viewer_window.h"

#include "canvas/numeric.h"
#include "raster/raster_surface.h"
#include "viewer/steady_playback_clock.h"
#include "viewer/viewer_layout.h"

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

// The window's design drawing area, 11925 x 7890 twips.
constexpr TwipsRect kDesignArea{0, 0, 11925, 7890};

QFont japaneseFont(int points)
{
    QFont font;
    font.setFamilies(TextFontFamilies());
    font.setPointSize(points);
    font.setWeight(QFont::Normal);
    return font;
}

template <typename Widget>
Widget* placed(Widget* widget, const char* objectName, const TwipsRect& place)
{
    widget->setObjectName(QString::fromLatin1(objectName));
    widget->setGeometry(TwipsToPixels(place));
    return widget;
}

QScrollBar* scrollBar(QWidget* parent, int min, int max, int smallChange, int largeChange, int value)
{
    auto* bar = new QScrollBar(Qt::Horizontal, parent);
    bar->setRange(min, max);
    bar->setSingleStep(smallChange);
    bar->setPageStep(largeChange);
    bar->setValue(value);
    // The change handler runs once the thumb is released, not during a drag.
    bar->setTracking(false);
    // A horizontal scroll bar inverts its arrow keys by default; the right
    // arrow is to raise the value like the right arrow button. (The wheel
    // is turned the same way in viewer_input.cpp.)
    bar->setInvertedControls(false);
    bar->setFocusPolicy(Qt::StrongFocus);
    return bar;
}

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
{
    setObjectName(QStringLiteral("Form1"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("Kelvora"));
    setWindowIcon(viewerIcon());
    QPalette grey = palette();
    grey.setColor(QPalette::Window, QColor(192, 192, 192));
    // The default disabled text is nearly the grey of the window.
    for (QPalette::ColorRole role : {QPalette::WindowText, QPalette::ButtonText, QPalette::Text})
        grey.setColor(QPalette::Disabled, role, QColor(128, 128, 128));
    setPalette(grey);
    setAutoFillBackground(true);
    setFont(japaneseFont(9));
    resize(TwipsToPixels(kDesignArea).size());

    captureTimer_.setSingleShot(true);
    connect(&captureTimer_, &QTimer::timeout, this, [this] { model_->captureNextFrame(); });
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
    layOutOverScreen();
    titleLabel_->setText(QString::fromStdString(model_->title()));
    parameterLabel_->setText(QString::fromStdString(model_->parameterLabel()));
    const bool parameter = model_->hasParameter();
    parameterLabel_->setVisible(parameter);
    parameterBar_->setVisible(parameter);
    parameterText_->setVisible(parameter);
    showModel();
    nameControls();
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
    workerCapture_.reset();  // joins the drawing threads while the window is whole
}

void ViewerWindow::createControls()
{
    auto button = [this](const char* name, const char* caption, const TwipsRect& place) {
        return placed(new QPushButton(QString::fromUtf8(caption), this), name, place);
    };
    auto label = [this](const char* name, const char* caption, const TwipsRect& place) {
        return placed(new QLabel(QString::fromUtf8(caption), this), name, place);
    };
    auto option = [this](const char* name, const char* caption, const TwipsRect& place) {
        return placed(new QRadioButton(QString::fromUtf8(caption), this), name, place);
    };

    picture_ = placed(new PictureBox(this), "Picture1", {2520, 960, 8895, 6255});
    drawButton_ = button("Cmd_Picture", "描画", {480, 840, 1455, 495});
    playButton_ = button("Cmd_Anime", "アニメ開始", {480, 1560, 1455, 495});
    pauseButton_ = button("Cmd_stop", "一時停止", {480, 2040, 1455, 495});
    stepButton_ = button("Cmd_step", "コマ送り", {480, 2520, 1455, 495});
    endButton_ = button("Cmd_End", "終了", {480, 3240, 1455, 492});
    speedLabel_ = label("Label1", "アニメ速度", {720, 4080, 855, 255});
    speedBar_ = placed(scrollBar(this, 1, 1000, 10, 50, 200), "HScroll1", {600, 4440, 1095, 495});
    fastLabel_ = label("Label2", "速", {240, 4560, 615, 375});
    slowLabel_ = label("Label3", "遅", {1920, 4560, 495, 375});
    // Seven ASCII spaces, one U+3000 and one ASCII space before the text.
    parameterLabel_ = label("Label4", "       　 節の数", {120, 5520, 2295, 255});
    parameterBar_ = placed(scrollBar(this, 1, 5, 1, 1, 1), "HScroll2", {600, 5760, 855, 495});
    parameterText_ = placed(new QLineEdit(QStringLiteral("1"), this), "Text1", {720, 6360, 615, 375});
    parameterText_->setFont(japaneseFont(12));
    // The box only shows the parameter; what is typed there means nothing.
    parameterText_->setReadOnly(true);
    frames12_ = option("Option1", "１２画面", {2880, 360, 1215, 375});
    frames24_ = option("Option2", "２４画面", {4200, 360, 1335, 375});
    titleLabel_ = label("Label5", "Label5", {5280, 240, 5055, 495});
    titleLabel_->setFont(japaneseFont(18));

    saveButton_ = button("Cmd_Save", "保存", {480, 7080, 1455, 495});
    saveButton_->setToolTip(QStringLiteral("アニメーションGIF、ワークシート（PDF）、表示中のコマ（PNG）として保存"));
    saveStatus_ = label("SaveStatus", "", {120, 7620, 2295, 255});
    // The stored frame on the picture, "コマ k / N".
    frameReadout_ = label("FrameReadout", "", {480, 330, 2160, 435});
    QFont readoutFont = font();
    readoutFont.setPointSize(12);
    frameReadout_->setFont(readoutFont);

    drawButton_->setToolTip(QStringLiteral("描画（Enter キー）"));
    playButton_->setToolTip(QStringLiteral("アニメ開始（スペース キー）"));
    pauseButton_->setToolTip(QStringLiteral("一時停止（スペース キー）"));
    stepButton_->setToolTip(
        QStringLiteral("コマ送り（→ キー、Page Down キー）\nコマ戻し（← キー、Page Up キー）"));
    endButton_->setToolTip(QStringLiteral("終了（Esc キー）"));

    // Tab goes the way the eye does: down the left column (the buttons, the
    // scroll bars, the parameter's box, 保存), then the options at the top
    // and the picture. Labels take no focus.
    QWidget* const order[] = {drawButton_, playButton_, pauseButton_, stepButton_, endButton_, speedBar_,
        parameterBar_, parameterText_, saveButton_, frames12_, frames24_, picture_};
    for (std::size_t i = 1; i < std::size(order); ++i)
        setTabOrder(order[i - 1], order[i]);
    // The focus starts on アニメ速度 as it always has, so the keys do what
    // they did: Space starts playback, the arrows set the speed.
    speedBar_->setFocus();
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
}

// Over the whole screen. Without a window manager a maximised or full
// screen window keeps its natural size, so the geometry is set outright.
void ViewerWindow::layOutOverScreen()
{
    setGeometry(screen()->geometry());
    layOutPicture();
    picture_->createSurface();
    // A turned or re-sized screen takes the window with it.
    connect(screen(), &QScreen::geometryChanged, this, [this](const QRect& area) { setGeometry(area); });
}

void ViewerWindow::layOutPicture()
{
    const PictureLayout layout = LayoutPicture(width(), height());
    picture_->setGeometry(PictureRect(layout));
    titleLabel_->move(ToInt32(layout.titleLeft), titleLabel_->y());
}

// The frames shown go on as they are, scaled to fit; the model has them
// drawn again once the size settles, and allocateFrames takes the new size.
void ViewerWindow::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    if (!model_)
        return;
    layOutPicture();
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
