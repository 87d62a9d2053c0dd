#pragma once

#include "export/export_result.h"
#include "viewer/frame_store.h"
#include "viewer/picture_box.h"
#include "viewer/worker_frame_source.h"
#include "viewer_model/scroll_wheel.h"
#include "viewer_model/viewer_description.h"
#include "viewer_model/viewer_host.h"
#include "viewer_model/viewer_model.h"

#include <QTimer>
#include <QWidget>

#include <cstdint>
#include <functional>
#include <memory>
#include <string_view>
#include <vector>

class QCloseEvent;
class QKeyEvent;
class QResizeEvent;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QScrollBar;

namespace kelvora {

// The size of the frames in the store, recorded at each capture: the
// picture box's outer size and the bytes a pixel of the screen takes.
struct StoredFrameGeometry {
    std::int32_t PicWidth = 0;
    std::int32_t PicHeight = 0;
    std::int32_t BytesPerPixel = 0;
};

// The viewer window: it fills the screen and shows one scene. What its
// controls do lives in ViewerModel; the window forwards the user's actions
// there and shows what the model says. It keeps the frames (a FrameStore
// of the picture's pixels), paces capture from the event loop (drawing
// frames ahead on worker threads where it can) and playback with a precise
// timer. Closing the window deletes it; the frames go with it.
//
// Each widget's objectName is the name it is known by in the design and
// in GUI tests (Cmd_Picture, HScroll1, Option2, ...).
class ViewerWindow : public QWidget, private ViewerHost {
    Q_OBJECT

public:
    // Lays the window over the screen and sets up the scene's title and
    // parameter controls. Show the window afterwards.
    explicit ViewerWindow(int sceneIndex, QWidget* parent = nullptr);
    ~ViewerWindow() override;

    ViewerModel& model() { return *model_; }
    const ViewerModel& model() const { return *model_; }
    // What the window is built from, and the widget of each described
    // control, in the description's order.
    const ViewerDescription& description() const { return description_; }
    QWidget* controlWidget(std::string_view name) const { return controls_[description_.indexOf(name)]; }

    QPushButton* drawButton() const { return drawButton_; }
    QPushButton* playButton() const { return playButton_; }
    QPushButton* pauseButton() const { return pauseButton_; }
    QPushButton* stepButton() const { return stepButton_; }
    QPushButton* endButton() const { return endButton_; }
    QPushButton* saveButton() const { return saveButton_; }
    QRadioButton* frames12() const { return frames12_; }
    QRadioButton* frames24() const { return frames24_; }
    QScrollBar* speedBar() const { return speedBar_; }
    QScrollBar* parameterBar() const { return parameterBar_; }
    QLabel* speedLabel() const { return speedLabel_; }
    QLabel* fastLabel() const { return fastLabel_; }
    QLabel* slowLabel() const { return slowLabel_; }
    QLabel* parameterLabel() const { return parameterLabel_; }
    QLabel* titleLabel() const { return titleLabel_; }
    QLabel* frameReadout() const { return frameReadout_; }
    QLabel* saveStatus() const { return saveStatus_; }
    QLineEdit* parameterText() const { return parameterText_; }
    PictureBox* picture() const { return picture_; }

    const StoredFrameGeometry& storedFrameGeometry() const { return geometry_; }
    const FrameStore& frameStore() const { return frameStore_; }
    bool isCapturing() const { return model_->isCapturing(); }
    bool isPlaying() const { return model_->isPlaying(); }
    int shownFrameIndex() const { return model_->shownFrame(); }

    // For tests and measurements: the drawing of capture frames (default:
    // the scene's; a replacement may run on several threads at once), the
    // playback clock, where messages go (default: a message box), a cap on
    // the store's bytes, the save dialog (default: QFileDialog), and whether
    // frames are drawn on worker threads (default) or one by one on the
    // picture.
    void setFrameRenderer(const FrameRenderer& renderer);
    void setPlaybackClock(std::shared_ptr<PlaybackClock> clock) { model_->setClock(std::move(clock)); }
    void setMessageSink(std::function<void(const QString&)> sink) { messageSink_ = std::move(sink); }
    void setFrameStoreBudget(std::size_t bytes) { frameStore_.setByteBudget(bytes); }
    // (parent, caption, proposed path, filters, selected filter in/out) ->
    // the chosen path, empty when cancelled.
    using SaveDialog = std::function<QString(QWidget* parent, const QString& caption, const QString& proposal,
        const QString& filters, QString* selectedFilter)>;
    void setSaveDialog(SaveDialog dialog) { saveDialog_ = std::move(dialog); }
    void setParallelCapture(bool on) { parallelCapture_ = on; }
    // Frames the worker threads have drawn so far.
    int framesDrawnByWorkers() const;

signals:
    // 終了 was pressed: show the menu. The viewer closes right after.
    void menuRequested();

protected:
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // viewer_window.cpp: controls, layout, showing the model.
    void createControls();
    void connectControls();
    void layOutOverScreen();
    void layOutControls();
    void showModel();
    void end();

    // viewer_frames.cpp: the host side of capture and playback.
    Canvas& canvas() override;
    int screenWidth() const override;
    int screenHeight() const override;
    void allocateFrames(int count) override;
    bool showFrame(int k) override;
    void releaseFrames() override;
    FrameSource& frameSource() override;
    void modelChanged() override { showModel(); }
    void showMessage(const std::string& text) override;
    void reportRuntimeError(const RuntimeError& error) override;

    // viewer_input.cpp: the keys and the mouse wheel.
    bool keyEvent(QWidget* target, QEvent* event);
    bool wheelEvent(QScrollBar* bar, QEvent* event);
    bool scrollBarKey(QScrollBar* bar, QKeyEvent* key);
    void perform(KeyCommand command);

    // viewer_save.cpp: 保存.
    // The worksheet of the value drawn, or of every value, at the picture's size.
    ExportResult writeWorksheet(const QString& path, bool allValues);
    void save();

    // viewer_probe_view.cpp: clicks on the picture, room for the graph,
    // the rings and the graph on each frame shown.
    void connectProbe();
    void showProbeArea();
    void markShownFrame(int k);

    // viewer_accessibility.cpp: the names a screen reader gives the
    // controls that follow what is shown.
    void nameLiveControls();

    template <typename Widget>
    Widget* control(std::string_view name) const
    {
        return qobject_cast<Widget*>(controlWidget(name));
    }

    const ViewerDescription description_;
    std::vector<QWidget*> controls_;
    QPushButton* drawButton_ = nullptr;
    QPushButton* playButton_ = nullptr;
    QPushButton* pauseButton_ = nullptr;
    QPushButton* stepButton_ = nullptr;
    QPushButton* endButton_ = nullptr;
    QPushButton* saveButton_ = nullptr;
    QRadioButton* frames12_ = nullptr;
    QRadioButton* frames24_ = nullptr;
    QScrollBar* speedBar_ = nullptr;
    QScrollBar* parameterBar_ = nullptr;
    QLabel* speedLabel_ = nullptr;
    QLabel* fastLabel_ = nullptr;
    QLabel* slowLabel_ = nullptr;
    QLabel* parameterLabel_ = nullptr;
    QLabel* titleLabel_ = nullptr;
    QLabel* frameReadout_ = nullptr;
    QLabel* saveStatus_ = nullptr;
    QLineEdit* parameterText_ = nullptr;
    PictureBox* picture_ = nullptr;

    StoredFrameGeometry geometry_;
    FrameStore frameStore_;
    QTimer captureTimer_;
    bool parallelCapture_ = true;
    std::function<void(const QString&)> messageSink_;
    SaveDialog saveDialog_;
    ScrollWheel speedWheel_;
    ScrollWheel parameterWheel_;
    std::unique_ptr<ViewerModel> model_;
    std::unique_ptr<PictureFrameSource> pictureSource_;
    std::unique_ptr<WorkerFrameSource> workerSource_;
};

}  // namespace kelvora
