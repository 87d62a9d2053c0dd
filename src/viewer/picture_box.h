#pragma once

#include "canvas/canvas.h"
#include "raster/raster_surface.h"

#include <QFrame>

#include <memory>

namespace kelvora {

// Picture1: a white box with a sunken border whose drawing area shows the
// drawing surface. The scenes draw on the surface through the canvas, and
// playback puts stored frames back into it; a repaint shows whatever the
// surface holds, so covering and uncovering the window loses nothing.
class PictureBox : public QFrame {
    Q_OBJECT

public:
    explicit PictureBox(QWidget* parent = nullptr);
    ~PictureBox() override;

    // Makes a new surface the size of the drawing area, and a canvas on it
    // that carries on the drawing state of the one before. The viewer calls
    // it once its layout is final (until then there is a surface of one
    // pixel), and after a resize when the frames are drawn again.
    void createSurface();
    // The box's size has changed since the surface was made: the surface is
    // shown scaled to fit, keeping its proportions.
    bool surfaceOutOfDate() const;

    RasterSurface& surface() { return *surface_; }
    Canvas& canvas() { return *canvas_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    std::unique_ptr<RasterSurface> surface_;
    std::unique_ptr<Canvas> canvas_;
};

}  // namespace kelvora
