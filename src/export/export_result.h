#pragma once

#include <string>

namespace kelvora {

// What a picture writer reports back.
struct ExportResult {
    bool ok = false;
    std::string error;       // one line, when not ok
    bool quantised = false;  // a GIF had more than 256 colours and was reduced
};

}  // namespace kelvora
