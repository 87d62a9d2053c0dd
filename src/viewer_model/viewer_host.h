#pragma once

#include <string>

namespace kelvora {

class Canvas;
class FrameSource;
class RuntimeError;

// What the viewer model asks of the window that shows it: the picture to
// draw on, a place to keep the frames, the event loop and the user.
// The desktop window and the web page each implement it.
class ViewerHost {
public:
    virtual ~ViewerHost() = default;

    // The picture's drawing canvas, whose state persists between frames.
    virtual Canvas& canvas() = 0;
    // The screen size in pixels that the scenes' aspect correction uses.
    virtual int screenWidth() const = 0;
    virtual int screenHeight() const = 0;

    // The frame store. allocateFrames throws std::bad_alloc when the memory
    // is not there; nothing is written into a slot that failed. Frames are
    // kept through the frame source.
    virtual void allocateFrames(int count) = 0;
    // Puts stored frame k back on the picture; false, showing nothing,
    // when the store does not hold it.
    virtual bool showFrame(int k) = 0;
    virtual void releaseFrames() = 0;

    // Where the frames of a capture are drawn.
    virtual FrameSource& frameSource() = 0;

    // The phase, the enabled controls, the parameter or the readout changed.
    virtual void modelChanged() = 0;
    // A message of the viewer's own, in Japanese (out of memory).
    virtual void showMessage(const std::string& text) = 0;
    // A run-time error of a scene: capture and playback have stopped and
    // the store is empty; the host tells the user.
    virtual void reportRuntimeError(const RuntimeError& error) = 0;
};

}  // namespace kelvora
