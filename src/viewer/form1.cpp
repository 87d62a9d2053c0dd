// The viewer window: its controls, Form_Load, the parameter scroll bar, the
// end button and the closing of the window. Capture and playback are in
// form1_capture.cpp and form1_playback.cpp.

#include "viewer/form1.h"

#include "app/shared_state.h"
#include "canvas/numeric.h"
#include "raster/raster_surface.h"
#include "scenes/scene_catalogue.h"
#include "viewer/runtime_error_report.h"
#include "viewer/viewer_layout.h"

#include <QCloseEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPainter>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QScrollBar>

#include <cmath>
#include <utility>

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

QScrollBar* makeScrollBar(QWidget* parent, int min, int max, int smallChange, int largeChange, int value)
{
    auto* bar = new QScrollBar(Qt::Horizontal, parent);
    bar->setRange(min, max);
    bar->setSingleStep(smallChange);
    bar->setPageStep(largeChange);
    bar->setValue(value);
    // The change handler runs once the thumb is released, not during a drag.
    bar->setTracking(false);
    // A horizontal scroll bar inverts its arrow keys by default; the right
    // arrow is to raise the value like the right arrow button.
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

Form1::Form1(QWidget* parent)
    : QWidget(parent)
    , renderer_(&DrawCaptureFrame)
    , clock_(std::make_shared<SteadyPlaybackClock>())
{
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
    connect(&captureTimer_, &QTimer::timeout, this, [this] { guarded([this] { capturePass(); }); });
    messageSink_ = [this](const QString& text) {
        // Not modal to the application and not a nested event loop: the
        // viewer stays as it is while the box is up.
        auto* box = new QMessageBox(QMessageBox::Warning, QStringLiteral("Kelvora"), text, QMessageBox::Ok, this);
        box->setAttribute(Qt::WA_DeleteOnClose);
        box->open();
    };

    createControls();
    createClassroomControls();
    Form_Load();
}

Form1::~Form1()
{
    // A clock handed in from outside may outlive the window.
    clock_->cancel();
    stopCapture();
    workerCapture_.reset();  // joins the drawing threads while the window is whole
}

void Form1::createControls()
{
    auto button = [this](const char* caption, const TwipsRect& place) {
        auto* b = new QPushButton(QString::fromUtf8(caption), this);
        b->setGeometry(TwipsToPixels(place));
        return b;
    };
    auto label = [this](const char* caption, const TwipsRect& place) {
        auto* l = new QLabel(QString::fromUtf8(caption), this);
        l->setGeometry(TwipsToPixels(place));
        return l;
    };
    auto option = [this](const char* caption, const TwipsRect& place) {
        auto* o = new QRadioButton(QString::fromUtf8(caption), this);
        o->setGeometry(TwipsToPixels(place));
        return o;
    };

    picture1_ = new PictureBox(this);
    picture1_->setGeometry(TwipsToPixels({2520, 960, 8895, 6255}));
    picture1_->createSurface();

    cmdPicture_ = button("描画", {480, 840, 1455, 495});
    cmdAnime_ = button("アニメ開始", {480, 1560, 1455, 495});
    cmdStop_ = button("一時停止", {480, 2040, 1455, 495});
    cmdStep_ = button("コマ送り", {480, 2520, 1455, 495});
    cmdEnd_ = button("終了", {480, 3240, 1455, 492});
    label1_ = label("アニメ速度", {720, 4080, 855, 255});
    hScroll1_ = makeScrollBar(this, 1, 1000, 10, 50, 200);
    hScroll1_->setGeometry(TwipsToPixels({600, 4440, 1095, 495}));
    label2_ = label("速", {240, 4560, 615, 375});
    label3_ = label("遅", {1920, 4560, 495, 375});
    // Seven ASCII spaces, one U+3000 and one ASCII space before the text.
    label4_ = label("       　 節の数", {120, 5520, 2295, 255});
    hScroll2_ = makeScrollBar(this, 1, 5, 1, 1, 1);
    hScroll2_->setGeometry(TwipsToPixels({600, 5760, 855, 495}));
    text1_ = new QLineEdit(QStringLiteral("1"), this);
    text1_->setGeometry(TwipsToPixels({720, 6360, 615, 375}));
    text1_->setFont(japaneseFont(12));
    // The box only shows the parameter; what is typed there means nothing.
    text1_->setReadOnly(true);
    option1_ = option("１２画面", {2880, 360, 1215, 375});
    option2_ = option("２４画面", {4200, 360, 1335, 375});
    label5_ = label("Label5", {5280, 240, 5055, 495});
    label5_->setFont(japaneseFont(18));

    // Tab order as designed; labels take no focus.
    const QWidget* order[] = {hScroll1_, picture1_, cmdPicture_, cmdStop_, cmdStep_, cmdEnd_, hScroll2_, text1_,
        option1_, option2_, cmdAnime_};
    for (std::size_t i = 1; i < std::size(order); ++i)
        setTabOrder(const_cast<QWidget*>(order[i - 1]), const_cast<QWidget*>(order[i]));

    connect(cmdPicture_, &QPushButton::clicked, this, [this] { Cmd_Picture_Click(); });
    connect(cmdAnime_, &QPushButton::clicked, this, [this] { Cmd_Anime_Click(); });
    connect(cmdStop_, &QPushButton::clicked, this, [this] { Cmd_stop_Click(); });
    connect(cmdStep_, &QPushButton::clicked, this, [this] { Cmd_step_Click(); });
    connect(cmdEnd_, &QPushButton::clicked, this, [this] { Cmd_End_Click(); });
    connect(hScroll1_, &QScrollBar::valueChanged, this, [this](int value) { HScroll1_Change(value); });
    connect(hScroll2_, &QScrollBar::valueChanged, this, [this](int value) { HScroll2_Change(value); });
}

void Form1::Form_Load()
{
    option1_->setChecked(true);
    cmdAnime_->setEnabled(false);
    cmdStop_->setEnabled(false);
    cmdStep_->setEnabled(false);

    // Over the whole screen. Without a window manager a maximised or full
    // screen window keeps its natural size, so the geometry is set outright.
    setGeometry(screen()->geometry());

    const PictureLayout layout = LayoutPicture(width(), height());
    picture1_->setGeometry(PictureRect(layout));
    picture1_->createSurface();
    label5_->move(ToInt32(layout.titleLeft), label5_->y());

    Shared().SceneParam = 1;
    if (const std::optional<ParameterSetup> setup = ParameterSetupFor(Shared().SceneIndex)) {
        label4_->setText(QString::fromUtf8(setup->label));
        hScroll2_->setPageStep(setup->largeChange);
        hScroll2_->setMaximum(setup->max);
        hScroll2_->setMinimum(setup->min);
        hScroll2_->setValue(setup->initial);  // runs HScroll2_Change when it moves
        text1_->setText(QString::fromUtf8(setup->initialText));
    }
}

void Form1::HScroll2_Change(int value)
{
    Shared().SceneParam = static_cast<std::int16_t>(value);
    text1_->setText(QString::fromStdString(ParameterText(Shared().SceneIndex, Shared().SceneParam)));
    // The stored frames no longer match the parameter.
    cmdAnime_->setEnabled(false);
    cmdStop_->setEnabled(false);
    cmdStep_->setEnabled(false);
    // A capture in progress ends here, before its slots go.
    stopCapture();
    if (playing_) {
        haltPlayback();
        cmdPicture_->setEnabled(true);
    }
    ReleaseFrameStore();
}

void Form1::Cmd_End_Click()
{
    Shared().StopFlag = 1;
    haltPlayback();
    stopCapture();
    ReleaseFrameStore();
    // Whoever shows the menu might close this window already.
    const QPointer<Form1> self(this);
    emit menuRequested();
    if (self)
        close();
}

void Form1::closeEvent(QCloseEvent* event)
{
    Form_Unload();
    event->accept();
}

void Form1::Form_Unload()
{
    Shared().StopFlag = 1;
    unloaded_ = true;
    haltPlayback();
    stopCapture();
    ReleaseFrameStore();
}

void Form1::setFrameRenderer(FrameRenderer renderer)
{
    renderer_ = std::move(renderer);
    defaultRenderer_ = false;
}

void Form1::setPlaybackClock(std::shared_ptr<PlaybackClock> clock)
{
    clock_->cancel();
    clock_ = std::move(clock);
}

void Form1::setMessageSink(std::function<void(const QString&)> sink) { messageSink_ = std::move(sink); }

void Form1::setFrameStoreBudget(std::size_t bytes) { frameStore_.setByteBudget(bytes); }

void Form1::guarded(const std::function<void()>& handler)
{
    try {
        handler();
    } catch (const RuntimeError& error) {
        abandonAfterError();
        // The handler may end the program or open a box with its own event
        // loop; nothing of this window is touched after it.
        ReportRuntimeError(error);
    }
}

void Form1::abandonAfterError()
{
    Shared().StopFlag = 1;
    haltPlayback();
    stopCapture();
    ReleaseFrameStore();
    // As after a parameter change: only a new capture is possible.
    cmdPicture_->setEnabled(true);
    cmdAnime_->setEnabled(false);
    cmdStop_->setEnabled(false);
    cmdStep_->setEnabled(false);
    hScroll2_->setEnabled(true);
}

}  // namespace kelvora
