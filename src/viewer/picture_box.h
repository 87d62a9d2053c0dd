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
// While a particle is marked, the frames take the upper part of the box
// and the probe's graph the part under it (LayOutProbeBox).
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

    // Splits the box for the probe's graph, or gives the frames all of it
    // again. Returns whether that changed.
    bool showGraph(bool shown);
    bool graphShown() const { return graphShown_; }
    // Where the frames and the graph go, in the widget's coordinates.
    QRect frameArea() const;
    QRect graphArea() const;
    // A canvas of the graph area's size, for the graph to be drawn on; it
    // is shown at the next repaint.
    Canvas& graphCanvas();

signals:
    // A click or a tap at `at`, in the frame area's coordinates.
    void pressedAt(QPointF at);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    std::unique_ptr<RasterSurface> surface_;
    std::unique_ptr<Canvas> canvas_;
    bool graphShown_ = false;
    std::unique_ptr<RasterSurface> graphSurface_;
    std::unique_ptr<Canvas> graphCanvas_;
};

}  // namespace kelvora
