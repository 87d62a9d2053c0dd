#pragma once

// Reads a GIF back with giflib for tests of the files Kelvora writes.

#include <QImage>
#include <QString>

#include <string>
#include <vector>

namespace kelvora::test {

struct DecodedGif {
    std::string error;            // empty when the file was read
    std::string signature;        // "GIF89a" or "GIF87a"
    int width = 0;
    int height = 0;
    int globalColourCount = 0;    // 0 without a global colour table
    std::vector<QImage> frames;   // RGB32, each composed over the one before
    std::vector<int> delays;      // hundredths of a second, -1 without a control block
    int loopCount = -1;           // NETSCAPE2.0 loop count (0: for ever), -1 when absent
};

DecodedGif ReadGif(const QString& path);

}  // namespace kelvora::test
