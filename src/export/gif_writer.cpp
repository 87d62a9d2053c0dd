#include "export/gif_writer.h"

#include "export/atomic_file.h"
#include "export/indexed_palette.h"

#include <gif_lib.h>

#include <algorithm>
#include <cstring>
#include <new>

namespace kelvora {

namespace {

// The largest side a GIF can describe.
constexpr int kMaxGifSide = 65535;

ExportResult failure(std::string message)
{
    ExportResult result;
    result.error = std::move(message);
    return result;
}

std::string frameProblem(const std::vector<QImage>& frames, int delayMs)
{
    if (frames.empty())
        return "no frames to write";
    const QSize size = frames.front().size();
    if (size.width() < 1 || size.height() < 1 || size.width() > kMaxGifSide || size.height() > kMaxGifSide)
        return "a GIF frame must be 1 to 65535 pixels on a side";
    for (const QImage& frame : frames)
        if (frame.size() != size)
            return "the frames differ in size";
    if (delayMs < 0 || delayMs > kMaxGifDelayMs)
        return "the frame delay must be 0 to " + std::to_string(kMaxGifDelayMs) + " ms";
    return {};
}

// The frames as RGB32 (or ARGB32, whose alpha the palette ignores),
// converting only those in another format.
std::vector<QImage> asRgb32(const std::vector<QImage>& frames)
{
    std::vector<QImage> converted;
    converted.reserve(frames.size());
    for (const QImage& frame : frames) {
        const QImage::Format format = frame.format();
        converted.push_back(format == QImage::Format_RGB32 || format == QImage::Format_ARGB32
                ? frame
                : frame.convertToFormat(QImage::Format_RGB32));
        if (converted.back().isNull())
            throw std::bad_alloc();
    }
    return converted;
}

// giflib's output: every byte through the atomic file's checked writes.
int writeToFile(GifFileType* gif, const GifByteType* bytes, int length)
{
    auto* file = static_cast<AtomicFile*>(gif->UserData);
    return length >= 0 && file->write(bytes, static_cast<std::size_t>(length)) ? length : 0;
}

// Owns an open giflib encoder; closing it writes the trailer.
class GifEncoder {
public:
    explicit GifEncoder(AtomicFile& file)
        : gif_(EGifOpen(&file, &writeToFile, &error_))
    {
    }
    ~GifEncoder()
    {
        if (gif_)
            EGifCloseFile(gif_, nullptr);
    }
    GifEncoder(const GifEncoder&) = delete;
    GifEncoder& operator=(const GifEncoder&) = delete;

    GifFileType* get() const { return gif_; }
    bool close()
    {
        GifFileType* gif = gif_;
        gif_ = nullptr;
        return EGifCloseFile(gif, &error_) == GIF_OK;
    }
    int lastError() const { return gif_ ? gif_->Error : error_; }

private:
    int error_ = 0;
    GifFileType* gif_;
};

bool putScreen(GifFileType* gif, QSize size, const IndexedPalette& palette)
{
    // The table size must be a power of two; unused entries stay black.
    const int bits = std::max(1, GifBitSize(static_cast<int>(palette.colours.size())));
    ColorMapObject* map = GifMakeMapObject(1 << bits, nullptr);
    if (!map)
        throw std::bad_alloc();
    std::memset(map->Colors, 0, sizeof(GifColorType) * static_cast<std::size_t>(map->ColorCount));
    for (std::size_t i = 0; i < palette.colours.size(); ++i) {
        const QRgb c = palette.colours[i];
        map->Colors[i] = {static_cast<GifByteType>(qRed(c)), static_cast<GifByteType>(qGreen(c)),
            static_cast<GifByteType>(qBlue(c))};
    }
    EGifSetGifVersion(gif, true);
    const bool ok = EGifPutScreenDesc(gif, size.width(), size.height(), 8, 0, map) == GIF_OK;
    GifFreeMapObject(map);
    return ok;
}

// NETSCAPE2.0 application extension with a loop count of 0: loop for ever.
bool putLoopForever(GifFileType* gif)
{
    static const GifByteType application[] = {'N', 'E', 'T', 'S', 'C', 'A', 'P', 'E', '2', '.', '0'};
    static const GifByteType loop[] = {1, 0, 0};
    return EGifPutExtensionLeader(gif, APPLICATION_EXT_FUNC_CODE) == GIF_OK
        && EGifPutExtensionBlock(gif, sizeof application, application) == GIF_OK
        && EGifPutExtensionBlock(gif, sizeof loop, loop) == GIF_OK && EGifPutExtensionTrailer(gif) == GIF_OK;
}

bool putFrame(GifFileType* gif, const QImage& frame, const IndexedPalette& palette, int delayCentiseconds)
{
    GraphicsControlBlock control{};
    control.DisposalMode = DISPOSE_DO_NOT;
    control.UserInputFlag = false;
    control.DelayTime = delayCentiseconds;
    control.TransparentColor = NO_TRANSPARENT_COLOR;
    GifByteType extension[4];
    const std::size_t length = EGifGCBToExtension(&control, extension);
    if (EGifPutExtension(gif, GRAPHICS_EXT_FUNC_CODE, static_cast<int>(length), extension) != GIF_OK)
        return false;
    if (EGifPutImageDesc(gif, 0, 0, frame.width(), frame.height(), false, nullptr) != GIF_OK)
        return false;
    std::vector<GifPixelType> indices(static_cast<std::size_t>(frame.width()));
    for (int y = 0; y < frame.height(); ++y) {
        const auto* row = reinterpret_cast<const QRgb*>(frame.constScanLine(y));
        QRgb lastColour = ~QRgb{0};
        GifPixelType lastIndex = 0;
        for (int x = 0; x < frame.width(); ++x) {
            const QRgb colour = row[x] & 0x00FFFFFF;
            if (colour != lastColour) {
                lastColour = colour;
                lastIndex = palette.indexOf.at(colour);
            }
            indices[static_cast<std::size_t>(x)] = lastIndex;
        }
        if (EGifPutLine(gif, indices.data(), frame.width()) != GIF_OK)
            return false;
    }
    return true;
}

ExportResult encode(const FilePath& path, const std::vector<QImage>& frames, int delayMs)
{
    const IndexedPalette palette = BuildPalette(frames);
    AtomicFile file(path);
    if (!file.open())
        return failure(file.error());
    // A write error is the file's own message; the others are giflib's.
    const auto encoderFailure = [&](int gifError) {
        return failure(!file.error().empty() ? file.error()
                                             : "cannot write " + path.bytes + ": " + GifErrorString(gifError));
    };
    GifEncoder encoder(file);
    if (!encoder.get())
        return encoderFailure(encoder.lastError());
    GifFileType* gif = encoder.get();
    bool written = putScreen(gif, frames.front().size(), palette) && putLoopForever(gif);
    const int delay = GifDelayCentiseconds(delayMs);
    for (std::size_t i = 0; written && i < frames.size(); ++i)
        written = putFrame(gif, frames[i], palette, delay);
    if (!written)
        return encoderFailure(encoder.lastError());
    if (!encoder.close())
        return encoderFailure(encoder.lastError());
    if (!file.commit())
        return failure(file.error());
    ExportResult result;
    result.ok = true;
    result.quantised = palette.quantised;
    return result;
}

}  // namespace

int GifDelayCentiseconds(int delayMs) { return std::max(2, (std::max(0, delayMs) + 5) / 10); }

ExportResult WriteAnimatedGif(const FilePath& path, const std::vector<QImage>& frames, int delayMs)
{
    if (const std::string problem = frameProblem(frames, delayMs); !problem.empty())
        return failure(problem);
    try {
        return encode(path, asRgb32(frames), delayMs);
    } catch (const std::bad_alloc&) {
        return failure("cannot write " + path.bytes + ": out of memory");
    }
}

}  // namespace kelvora
