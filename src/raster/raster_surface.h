#pragma once

#include "canvas/canvas_backend.h"
#include "canvas/coordinate_mapping.h"

#include <QFont>
#include <QImage>
#include <QPainter>
#include <QStringList>

#include <cstdint>
#include <memory>
#include <string>

namespace kelvora {

// A backend that draws into an RGB32 image with QPainter, without
// antialiasing. User coordinates are mapped to the nearest pixel; circles
// are round on the image with the radius taken in horizontal units; pens
// are DrawWidth pixels wide with round ends.
//
// With a device pixel ratio above 1 the image has that many more pixels and
// pen widths and text sizes grow with it, so the picture is the same, only
// sharper.
//
// Text needs a QGuiApplication.
class RasterSurface : public CanvasBackend {
public:
    RasterSurface(int logicalWidth, int logicalHeight, double devicePixelRatio = 1.0);
    ~RasterSurface() override;
    RasterSurface(const RasterSurface&) = delete;
    RasterSurface& operator=(const RasterSurface&) = delete;

    // The pixels drawn so far. The reference stays valid for the surface's
    // life; do not keep a QImage copy of it, since later drawing writes
    // through to shared data: use snapshot() for a copy.
    const QImage& image();
    QImage snapshot();
    // Puts stored pixels back (same size and format as the image).
    void restore(const QImage& pixels);
    // The image to write stored pixels into directly, keeping its size and
    // format; drawing goes on where it leaves off.
    QImage& pixelsForWriting();

    // Text smaller than this many logical pixels is drawn at this size
    // instead, centred where it would have been and kept on the picture:
    // for pictures shown small, such as on a printed worksheet. 0, the
    // default, draws text at its own size.
    void setMinimumTextPixels(int logicalPixels) { minimumTextPixels_ = logicalPixels; }

    int logicalWidth() const { return logicalWidth_; }
    int logicalHeight() const { return logicalHeight_; }
    double devicePixelRatio() const { return devicePixelRatio_; }

    void scaleChanged(const DrawState& state) override;
    void clear(const DrawState& state) override;
    void line(const DrawState& state, float x1, float y1, float x2, float y2, Color color) override;
    void filledBox(const DrawState& state, float x1, float y1, float x2, float y2, Color color) override;
    void circle(const DrawState& state, float x, float y, float radius, Color outline) override;
    void pset(const DrawState& state, float x, float y, Color color) override;
    void print(const DrawState& state, const std::string& text) override;

private:
    QPainter& painter();
    void endPainting();
    void updateMapping(const DrawState& state);
    QPen penFor(const DrawState& state, Color color) const;
    int penWidth(const DrawState& state) const;
    QPoint toPixel(float x, float y) const;
    void drawDot(const QPoint& centre, int width, Color color);

    int logicalWidth_;
    int logicalHeight_;
    double devicePixelRatio_;
    QImage image_;
    std::unique_ptr<QPainter> painter_;
    CoordinateMapping mapping_;
    // Cached for the single-pixel PSet, the hot path of point-cloud scenes.
    std::uint32_t* pixels_ = nullptr;
    qsizetype pixelsPerLine_ = 0;
    QFont font_;
    float fontPoints_ = -1;
    int minimumTextPixels_ = 0;
};

// The font families tried for text, in order.
QStringList TextFontFamilies();

}  // namespace kelvora
