#include "raster/raster_surface.h"

#include "canvas/text_fonts.h"

#include <QFontMetrics>

#include <algorithm>
#include <cmath>
#include <new>

namespace kelvora {

QStringList TextFontFamilies()
{
    QStringList families;
    for (std::string_view family : kTextFontFamilies)
        families.append(QString::fromUtf8(family.data(), static_cast<qsizetype>(family.size())));
    return families;
}

RasterSurface::RasterSurface(int logicalWidth, int logicalHeight, double devicePixelRatio)
    : logicalWidth_(std::max(1, logicalWidth))
    , logicalHeight_(std::max(1, logicalHeight))
    , devicePixelRatio_(devicePixelRatio > 0 ? devicePixelRatio : 1.0)
    , image_(static_cast<int>(std::lround(logicalWidth_ * devicePixelRatio_)),
          static_cast<int>(std::lround(logicalHeight_ * devicePixelRatio_)), QImage::Format_RGB32)
{
    if (image_.isNull())
        throw std::bad_alloc();
    image_.fill(QColor::fromRgb(ToArgb(kWhite)));
    pixels_ = reinterpret_cast<std::uint32_t*>(image_.bits());
    pixelsPerLine_ = image_.bytesPerLine() / 4;
    mapping_.width = static_cast<float>(logicalWidth_);
    mapping_.height = static_cast<float>(logicalHeight_);
    mapping_.pixelWidth = image_.width();
    mapping_.pixelHeight = image_.height();
    font_.setFamilies(TextFontFamilies());
    font_.setStyleStrategy(QFont::NoAntialias);
}

RasterSurface::~RasterSurface() { endPainting(); }

QPainter& RasterSurface::painter()
{
    if (!painter_) {
        painter_ = std::make_unique<QPainter>(&image_);
        // On a valid image only a want of memory stops a painter, and one
        // that did not begin draws nothing: a blank frame, unless said.
        if (!painter_->isActive()) {
            painter_.reset();
            throw std::bad_alloc();
        }
        painter_->setRenderHint(QPainter::Antialiasing, false);
        painter_->setRenderHint(QPainter::TextAntialiasing, false);
    }
    return *painter_;
}

void RasterSurface::endPainting() { painter_.reset(); }

const QImage& RasterSurface::image()
{
    endPainting();
    return image_;
}

QImage RasterSurface::snapshot()
{
    endPainting();
    return image_.copy();
}

void RasterSurface::restore(const QImage& pixels)
{
    QImage& target = pixelsForWriting();
    if (pixels.size() != target.size())
        return;
    const qsizetype rowBytes = std::min(pixels.bytesPerLine(), target.bytesPerLine());
    for (int row = 0; row < target.height(); ++row)
        std::copy_n(pixels.constScanLine(row), rowBytes, target.scanLine(row));
}

QImage& RasterSurface::pixelsForWriting()
{
    endPainting();
    // Writing may detach the image from a copy someone kept; the pixel
    // pointer of PSet follows it.
    pixels_ = reinterpret_cast<std::uint32_t*>(image_.bits());
    return image_;
}

void RasterSurface::updateMapping(const DrawState& s)
{
    mapping_.setScale(s);
}

void RasterSurface::scaleChanged(const DrawState& state) { updateMapping(state); }

QPoint RasterSurface::toPixel(float x, float y) const { return {mapping_.columnOf(x), mapping_.rowOf(y)}; }

int RasterSurface::penWidth(const DrawState& s) const { return DevicePenWidth(s.drawWidth, devicePixelRatio_); }

QPen RasterSurface::penFor(const DrawState& s, Color color) const
{
    QPen pen(QColor::fromRgb(ToArgb(color)));
    const int width = penWidth(s);
    pen.setWidth(width);
    pen.setCapStyle(Qt::RoundCap);
    pen.setJoinStyle(Qt::RoundJoin);
    if (s.dottedPen())
        pen.setDashPattern({1.0 * devicePixelRatio_, 2.0 * devicePixelRatio_});
    else
        pen.setStyle(Qt::SolidLine);
    return pen;
}

void RasterSurface::clear(const DrawState& state)
{
    endPainting();
    image_.fill(QColor::fromRgb(ToArgb(state.backColor)));
}

void RasterSurface::drawDot(const QPoint& centre, int width, Color color)
{
    if (width <= 1) {
        if (centre.x() >= 0 && centre.y() >= 0 && centre.x() < image_.width() && centre.y() < image_.height())
            pixels_[centre.y() * pixelsPerLine_ + centre.x()] = ToArgb(color);
        return;
    }
    // A zero-length wide line draws nothing in Qt; a point with a round cap
    // gives the round dot. Odd widths centre on the pixel's middle.
    QPainter& p = painter();
    QPen pen(QColor::fromRgb(ToArgb(color)));
    pen.setWidth(width);
    pen.setCapStyle(Qt::RoundCap);
    p.setPen(pen);
    if (width % 2 == 1)
        p.drawPoint(QPointF(centre) + QPointF(0.5, 0.5));
    else
        p.drawPoint(centre);
}

void RasterSurface::line(const DrawState& s, float x1, float y1, float x2, float y2, Color color)
{
    const QPoint from = toPixel(x1, y1);
    const QPoint to = toPixel(x2, y2);
    if (from == to) {
        drawDot(from, penWidth(s), color);
        return;
    }
    QPainter& p = painter();
    p.setPen(penFor(s, color));
    p.drawLine(from, to);
}

void RasterSurface::filledBox(const DrawState&, float x1, float y1, float x2, float y2, Color color)
{
    const QPoint a = toPixel(x1, y1);
    const QPoint b = toPixel(x2, y2);
    // Both corner pixels are inside the box.
    const QRect box(QPoint(std::min(a.x(), b.x()), std::min(a.y(), b.y())),
        QPoint(std::max(a.x(), b.x()), std::max(a.y(), b.y())));
    painter().fillRect(box, QColor::fromRgb(ToArgb(color)));
}

void RasterSurface::circle(const DrawState& s, float x, float y, float radius, Color outline)
{
    const QPoint centre = toPixel(x, y);
    const double r = mapping_.horizontalPixels(radius);
    QPainter& p = painter();
    p.setPen(penFor(s, outline));
    if (s.filled())
        p.setBrush(QColor::fromRgb(ToArgb(s.fillColor)));
    else
        p.setBrush(Qt::NoBrush);
    p.drawEllipse(QPointF(centre), r, r);
}

void RasterSurface::pset(const DrawState& s, float x, float y, Color color)
{
    drawDot(toPixel(x, y), penWidth(s), color);
}

void RasterSurface::print(const DrawState& s, const std::string& text)
{
    if (s.fontSize != fontPoints_) {
        fontPoints_ = s.fontSize;
        // Points at 96 dots per inch, scaled with the device pixel ratio.
        font_.setPixelSize(std::max(1, static_cast<int>(std::lround(s.fontSize * 96.0 / 72.0 * devicePixelRatio_))));
    }
    QPainter& p = painter();
    p.setPen(QColor::fromRgb(ToArgb(s.foreColor)));
    const QString shown = QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
    const QFontMetrics metrics(font_, &image_);
    const QPoint topLeft = toPixel(s.currentX, s.currentY);
    const int minimum = static_cast<int>(std::lround(minimumTextPixels_ * devicePixelRatio_));
    if (font_.pixelSize() >= minimum) {
        p.setFont(font_);
        p.drawText(QPoint(topLeft.x(), topLeft.y() + metrics.ascent()), shown);
        return;
    }
    QFont larger = font_;
    larger.setPixelSize(minimum);
    const QFontMetrics largerMetrics(larger, &image_);
    const QPoint centre = topLeft + QPoint(metrics.horizontalAdvance(shown), metrics.height()) / 2;
    const QSize size(largerMetrics.horizontalAdvance(shown), largerMetrics.height());
    const int x = std::clamp(centre.x() - size.width() / 2, 0, std::max(0, image_.width() - size.width()));
    const int y = std::clamp(centre.y() - size.height() / 2, 0, std::max(0, image_.height() - size.height()));
    p.setFont(larger);
    p.drawText(QPoint(x, y + largerMetrics.ascent()), shown);
}

}  // namespace kelvora
