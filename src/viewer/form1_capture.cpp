// Frame capture (描画): every frame of one period is drawn once on Picture1
// and its pixels kept in the frame store, one slot per frame.

#include "viewer/form1.h"

#include "app/shared_state.h"
#include "canvas/numeric.h"

#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QScrollBar>

#include <new>

namespace kelvora {

namespace {

const char* const kOutOfMemoryMessage =
    "メモリが足りないため、描画したコマを記憶できませんでした。\n"
    "ほかのアプリケーションを終了してから、もう一度「描画」を押してください。";

}  // namespace

void Form1::Cmd_Picture_Click()
{
    guarded([this] { startCapture(); });
}

void Form1::startCapture()
{
    // Pressed again while frames are being drawn: that capture ends here,
    // before its slots are released, and this one starts over.
    stopCapture();

    // The frame count can be chosen only before the first capture.
    cmdAnime_->setEnabled(false);
    cmdStop_->setEnabled(false);
    cmdStep_->setEnabled(false);
    option1_->setEnabled(false);
    option2_->setEnabled(false);

    Shared().LastFrame = option1_->isChecked() ? 11 : 23;
    const QImage& pixels = picture1_->surface().image();
    vars_.BytesPerPixel = ToInt32(pixels.depth() / 8.0);
    vars_.PicWidth = ToInt32(picture1_->width());
    vars_.PicHeight = ToInt32(picture1_->height());

    ReleaseFrameStore();
    try {
        for (int k = 0; k <= Shared().LastFrame; ++k)
            frameStore_.allocate(k, pixels.size(), vars_.BytesPerPixel);
    } catch (const std::bad_alloc&) {
        captureOutOfMemory();
        return;
    }
    Shared().StopFlag = 0;

    captureEnd_ = Shared().LastFrame;
    vars_.FrameNo = 0;
    capturing_ = true;
    if (usesWorkers()) {
        queueFrames();
        return;
    }
    // One frame per pass of the event loop, so each frame is seen as it is
    // drawn and the enabled controls stay live in between.
    captureTimer_.start(0);
}

void Form1::capturePass()
{
    if (!capturing_ || unloaded_)
        return;
    ParameterControl parameter = readParameterControls();
    SceneContext context = sceneContext(parameter);
    renderer_(Shared().SceneIndex, picture1_->canvas(), vars_.FrameNo, context);
    // Handing the parameter back may move HScroll2, whose handler ends the
    // capture and releases the store.
    writeParameterControls(parameter);
    if (!capturing_)
        return;
    try {
        frameStore_.write(vars_.FrameNo, picture1_->surface().image());
    } catch (const std::bad_alloc&) {
        captureOutOfMemory();
        return;
    }
    noteShownFrame(vars_.FrameNo);
    picture1_->repaint();

    vars_.FrameNo = Add16(vars_.FrameNo, 1);
    if (vars_.FrameNo > captureEnd_)
        finishCapture();
    else
        captureTimer_.start(0);
}

void Form1::finishCapture()
{
    capturing_ = false;
    cmdAnime_->setEnabled(true);
    cmdStop_->setEnabled(true);
    cmdStep_->setEnabled(true);
}

void Form1::stopCapture()
{
    capturing_ = false;
    captureTimer_.stop();
    stopWorkers();
}

void Form1::captureOutOfMemory()
{
    // Nothing half-stored stays behind; the buttons are as after a
    // parameter change, so only 描画 can be pressed again.
    stopCapture();
    ReleaseFrameStore();
    messageSink_(QString::fromUtf8(kOutOfMemoryMessage));
}

void Form1::ReleaseFrameStore() { frameStore_.releaseAll(); }

SceneContext Form1::sceneContext(ParameterControl& parameter) const
{
    SceneContext context;
    context.lastFrame = Shared().LastFrame;
    context.sceneParam = Shared().SceneParam;
    const QSize screenSize = screen()->geometry().size();
    context.screenWidth = screenSize.width();
    context.screenHeight = screenSize.height();
    context.parameter = &parameter;
    return context;
}

ParameterControl Form1::readParameterControls() const
{
    ParameterControl parameter;
    parameter.value = static_cast<std::int16_t>(hScroll2_->value());
    parameter.min = static_cast<std::int16_t>(hScroll2_->minimum());
    parameter.max = static_cast<std::int16_t>(hScroll2_->maximum());
    parameter.largeChange = static_cast<std::int16_t>(hScroll2_->pageStep());
    parameter.text = text1_->text().toStdString();
    return parameter;
}

void Form1::writeParameterControls(const ParameterControl& parameter)
{
    hScroll2_->setPageStep(parameter.largeChange);
    // A range that leaves the value inside it moves nothing and runs no
    // change handler; one that excludes it moves the value, as any change.
    hScroll2_->setRange(parameter.min, parameter.max);
    hScroll2_->setValue(parameter.value);
    const QString text = QString::fromStdString(parameter.text);
    if (text1_->text() != text)
        text1_->setText(text);
}

}  // namespace kelvora
