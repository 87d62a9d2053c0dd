#pragma once

#include "export/export_result.h"
#include "export/file_path.h"

#include <QImage>

#include <vector>

namespace kelvora {

// Writes the frames, all of one size, as a GIF89a animation that loops for
// ever, showing each frame for delayMs milliseconds. One global colour
// table holds the exact colours of the frames; with more than 256 colours
// they are reduced and the result says so. The file appears at path only
// when complete (see AtomicFile); running out of memory is a failure.
ExportResult WriteAnimatedGif(const FilePath& path, const std::vector<QImage>& frames, int delayMs);

// A GIF frame delay in hundredths of a second: delayMs rounded to the
// nearest hundredth (halves up), and never below 2, since viewers treat
// shorter delays as "as fast as possible" or replace them with 10.
int GifDelayCentiseconds(int delayMs);

// The largest delay a GIF can hold, in milliseconds.
inline constexpr int kMaxGifDelayMs = 655350;

}  // namespace kelvora
