#include "export/gif_file_reader.h"

#include <QFile>

#include <gif_lib.h>

#include <cstring>

namespace kelvora::test {

namespace {

int loopCountOf(const SavedImage& image)
{
    for (int i = 0; i + 1 < image.ExtensionBlockCount; ++i) {
        const ExtensionBlock& block = image.ExtensionBlocks[i];
        const ExtensionBlock& next = image.ExtensionBlocks[i + 1];
        if (block.Function == APPLICATION_EXT_FUNC_CODE && block.ByteCount == 11
            && std::memcmp(block.Bytes, "NETSCAPE2.0", 11) == 0 && next.Function == CONTINUE_EXT_FUNC_CODE
            && next.ByteCount == 3 && next.Bytes[0] == 1)
            return next.Bytes[1] | (next.Bytes[2] << 8);
    }
    return -1;
}

}  // namespace

DecodedGif ReadGif(const QString& path)
{
    DecodedGif decoded;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        decoded.error = "cannot open";
        return decoded;
    }
    decoded.signature = file.read(6).toStdString();
    file.close();

    int error = 0;
    GifFileType* gif = DGifOpenFileName(QFile::encodeName(path).constData(), &error);
    if (!gif) {
        decoded.error = GifErrorString(error);
        return decoded;
    }
    if (DGifSlurp(gif) != GIF_OK) {
        decoded.error = GifErrorString(gif->Error);
        DGifCloseFile(gif, nullptr);
        return decoded;
    }
    decoded.width = gif->SWidth;
    decoded.height = gif->SHeight;
    decoded.globalColourCount = gif->SColorMap ? gif->SColorMap->ColorCount : 0;
    if (gif->ImageCount > 0)
        decoded.loopCount = loopCountOf(gif->SavedImages[0]);

    QImage canvas(decoded.width, decoded.height, QImage::Format_RGB32);
    canvas.fill(Qt::black);
    for (int i = 0; i < gif->ImageCount; ++i) {
        const SavedImage& image = gif->SavedImages[i];
        const ColorMapObject* map = image.ImageDesc.ColorMap ? image.ImageDesc.ColorMap : gif->SColorMap;
        const GifImageDesc& d = image.ImageDesc;
        for (int y = 0; y < d.Height; ++y)
            for (int x = 0; x < d.Width; ++x) {
                const int index = image.RasterBits[y * d.Width + x];
                if (!map || index >= map->ColorCount) {
                    decoded.error = "colour index outside the table";
                    DGifCloseFile(gif, nullptr);
                    return decoded;
                }
                const GifColorType c = map->Colors[index];
                canvas.setPixel(d.Left + x, d.Top + y, qRgb(c.Red, c.Green, c.Blue));
            }
        decoded.frames.push_back(canvas.copy());
        GraphicsControlBlock control{};
        decoded.delays.push_back(DGifSavedExtensionToGCB(gif, i, &control) == GIF_OK ? control.DelayTime : -1);
    }
    DGifCloseFile(gif, nullptr);
    return decoded;
}

}  // namespace kelvora::test
