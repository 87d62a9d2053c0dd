#pragma once

namespace kelvora {

// Where the viewer is in its cycle of drawing and playing.
enum class ViewerPhase {
    Empty,      // no frames stored: just opened, or the parameter changed
    Capturing,  // 描画 is drawing the frames of one period
    Ready,      // every frame stored, nothing played yet
    Playing,    // アニメ開始: the stored frames loop
    Paused,     // 一時停止
    Stepped,    // コマ送り (or a step back) showed one frame
};

// Which controls the user can operate. End and the speed scroll bar are
// always live.
struct ViewerControls {
    bool draw = false;        // 描画
    bool play = false;        // アニメ開始
    bool pause = false;       // 一時停止
    bool step = false;        // コマ送り
    bool end = true;          // 終了
    bool save = false;        // 保存
    bool frameCount = false;  // １２画面 / ２４画面
    bool speed = true;        // アニメ速度
    bool parameter = false;   // the parameter scroll bar
};

// The buttons of each phase; the frame-count options and the parameter
// scroll bar do not follow the phase alone (see ControlsFor).
struct PhaseButtons {
    ViewerPhase phase;
    bool draw;
    bool play;
    bool pause;
    bool step;
    bool save;
};

inline constexpr PhaseButtons kPhaseButtons[] = {
    //  phase                  draw   play   pause  step   save
    {ViewerPhase::Empty,       true,  false, false, false, false},
    {ViewerPhase::Capturing,   true,  false, false, false, false},
    {ViewerPhase::Ready,       true,  true,  true,  true,  true},
    {ViewerPhase::Playing,     false, false, true,  true,  false},
    {ViewerPhase::Paused,      true,  true,  true,  true,  true},
    {ViewerPhase::Stepped,     true,  true,  true,  true,  true},
};

// The controls in a phase. The frame count can be chosen only until the
// first capture of the window; the parameter is locked from アニメ開始
// until 一時停止 (a step that stops playback leaves it locked), so it
// cannot change under frames that were playing.
ViewerControls ControlsFor(ViewerPhase phase, bool capturedOnce, bool parameterLocked);

}  // namespace kelvora
