#pragma once

#include "scenes/scene_context.h"
#include "viewer/frame_store.h"
#include "viewer/picture_box.h"
#include "viewer/playback_clock.h"

#include <QImage>
#include <QTimer>
#include <QWidget>

#include <cstdint>
#include <functional>
#include <memory>

class QCloseEvent;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QScrollBar;

namespace kelvora {

class Canvas;
class RuntimeError;

// The viewer's own variables, shared by capture, playback and its handlers.
struct ViewerVariables {
    std::int16_t FrameNo = 0;      // capture counter, then the next frame to play
    std::int16_t FrameDelay = 0;   // milliseconds from one played frame to the next
    std::int32_t PicWidth = 0;     // Picture1's outer size in pixels, at the last capture
    std::int32_t PicHeight = 0;
    std::int32_t BytesPerPixel = 0;  // of the drawing surface, at the last capture
};

// Form1, the viewer: it fills the screen, draws every frame of the scene
// SceneIndex into its frame store (描画), plays the stored frames as a loop
// at the speed of HScroll1 (アニメ開始, 一時停止, コマ送り), and for scenes
// with a parameter lets HScroll2 change it. Closing the window unloads it
// (it deletes itself); the frames and the drawing state end with it.
//
// Capture and playback are driven from the event loop by timers: between
// two frames the window handles its events, and every handler that can run
// then (HScroll2, 描画 again, 終了, closing) stops what is running before it
// touches the store.
class Form1 : public QWidget {
    Q_OBJECT

public:
    // Runs Form_Load: lays the window over the screen and sets up the
    // parameter controls of SceneIndex. Show the window afterwards.
    explicit Form1(QWidget* parent = nullptr);
    ~Form1() override;

    QPushButton* Cmd_Picture() const { return cmdPicture_; }
    QPushButton* Cmd_Anime() const { return cmdAnime_; }
    QPushButton* Cmd_stop() const { return cmdStop_; }
    QPushButton* Cmd_step() const { return cmdStep_; }
    QPushButton* Cmd_End() const { return cmdEnd_; }
    QRadioButton* Option1() const { return option1_; }
    QRadioButton* Option2() const { return option2_; }
    QScrollBar* HScroll1() const { return hScroll1_; }
    QScrollBar* HScroll2() const { return hScroll2_; }
    QLabel* Label1() const { return label1_; }
    QLabel* Label2() const { return label2_; }
    QLabel* Label3() const { return label3_; }
    QLabel* Label4() const { return label4_; }
    QLabel* Label5() const { return label5_; }
    QLineEdit* Text1() const { return text1_; }
    PictureBox* Picture1() const { return picture1_; }
    // Classroom additions: saving (form1_save.cpp), the frame readout
    // (form1_readout.cpp) and the keyboard (form1_keys.cpp).
    QPushButton* Cmd_Save() const { return cmdSave_; }
    QLabel* FrameReadout() const { return frameReadout_; }
    QLabel* SaveStatus() const { return saveStatus_; }

    const ViewerVariables& variables() const { return vars_; }
    const FrameStore& frameStore() const { return frameStore_; }
    bool isCapturing() const { return capturing_; }
    bool isPlaying() const { return playing_; }

    // Draws one frame of a capture on the cleared-or-not canvas; the
    // default is DrawCaptureFrame (Cls, then the scene's DrawFrame).
    using FrameRenderer = std::function<bool(int sceneIndex, Canvas& canvas, std::int16_t& frameNo,
        SceneContext& context)>;
    void setFrameRenderer(FrameRenderer renderer);
    // The clock that paces playback; the default is the steady clock.
    void setPlaybackClock(std::shared_ptr<PlaybackClock> clock);
    // Where the viewer's own messages go; the default is a message box.
    void setMessageSink(std::function<void(const QString&)> sink);
    // Caps the bytes the frame store may hold (to try a full memory).
    void setFrameStoreBudget(std::size_t bytes);
    // Asks where to save: (parent, caption, directory with default name,
    // filters, selected filter in/out) -> path, empty when cancelled. The
    // default is QFileDialog::getSaveFileName.
    using SaveDialog = std::function<QString(QWidget* parent, const QString& caption, const QString& proposal,
        const QString& filters, QString* selectedFilter)>;
    void setSaveDialog(SaveDialog dialog);
    // The stored frame shown on Picture1 now, -1 before the first capture.
    int shownFrameIndex() const { return shownFrameIndex_; }
    // Draws capture frames on worker threads, shown and stored in order
    // (on by default; used with the default renderer only).
    void setParallelCapture(bool on) { parallelCapture_ = on; }
    // Frames the worker threads have drawn so far, for checking that each
    // frame is drawn once.
    int framesDrawnByWorkers() const;

signals:
    // 終了 was pressed: show the menu. The viewer closes right after.
    void menuRequested();

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void createControls();
    void Form_Load();
    void Form_Unload();

    // Capture (描画).
    void Cmd_Picture_Click();
    void startCapture();
    void capturePass();
    void finishCapture();
    void stopCapture();
    void ReleaseFrameStore();
    void captureOutOfMemory();
    // Capture on worker threads (form1_capture_workers.cpp).
    struct WorkerCapture;
    bool usesWorkers() const { return parallelCapture_ && defaultRenderer_; }
    WorkerCapture& workerCapture();
    void queueFrames();
    void collectFrames();
    void stopWorkers();
    SceneContext sceneContext(ParameterControl& parameter) const;
    ParameterControl readParameterControls() const;
    void writeParameterControls(const ParameterControl& parameter);

    // Playback (アニメ開始, 一時停止, コマ送り).
    void Cmd_Anime_Click();
    void Animate();
    void animatePass();
    void WaitTill(std::int64_t nextTime);
    void Cmd_stop_Click();
    void Cmd_step_Click();
    void HScroll1_Change(int value);
    void ShowStoredFrame(int k);
    void haltPlayback();

    void HScroll2_Change(int value);
    void Cmd_End_Click();

    // Saving, the frame readout and the keyboard.
    void createClassroomControls();
    void Cmd_Save_Click();
    void updateSaveEnabled();
    void noteShownFrame(int k);
    void Cmd_stepBack();
    QPushButton* buttonForKey(int key) const;
    void actOnKey(int key);

    // Runs a handler; a run-time error stops capture and playback and goes
    // to the run-time error handler.
    void guarded(const std::function<void()>& handler);
    void abandonAfterError();

    QPushButton* cmdPicture_ = nullptr;
    QPushButton* cmdAnime_ = nullptr;
    QPushButton* cmdStop_ = nullptr;
    QPushButton* cmdStep_ = nullptr;
    QPushButton* cmdEnd_ = nullptr;
    QRadioButton* option1_ = nullptr;
    QRadioButton* option2_ = nullptr;
    QScrollBar* hScroll1_ = nullptr;
    QScrollBar* hScroll2_ = nullptr;
    QLabel* label1_ = nullptr;
    QLabel* label2_ = nullptr;
    QLabel* label3_ = nullptr;
    QLabel* label4_ = nullptr;
    QLabel* label5_ = nullptr;
    QLineEdit* text1_ = nullptr;
    PictureBox* picture1_ = nullptr;
    QPushButton* cmdSave_ = nullptr;
    QLabel* frameReadout_ = nullptr;
    QLabel* saveStatus_ = nullptr;
    SaveDialog saveDialog_;
    int shownFrameIndex_ = -1;

    ViewerVariables vars_;
    FrameStore frameStore_;
    FrameRenderer renderer_;
    std::function<void(const QString&)> messageSink_;

    QTimer captureTimer_;
    bool capturing_ = false;
    std::int16_t captureEnd_ = 0;
    bool parallelCapture_ = true;
    bool defaultRenderer_ = true;
    std::shared_ptr<WorkerCapture> workerCapture_;

    std::shared_ptr<PlaybackClock> clock_;
    bool playing_ = false;
    std::int64_t nextTime_ = 0;

    bool unloaded_ = false;
};

}  // namespace kelvora
