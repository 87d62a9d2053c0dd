#pragma once

#include "viewer_model/viewer_description.h"

#include <string>
#include <string_view>
#include <vector>

namespace kelvora {

// What 保存 writes: every stored frame as a looping GIF, a worksheet of
// every frame, the same with a page for every value of the scene's
// parameter, or the frame on the picture as a PNG.
enum class SaveKind { Gif, Worksheet, WorksheetAllValues, Png };

// One choice 保存 offers: what the user reads (the desktop's file type,
// the page's button), the file's extension, and the name the page's
// element and the tests know it by.
struct SaveChoice {
    SaveKind kind = SaveKind::Gif;
    std::string caption;
    std::string extension;
    std::string name;
};

// The choices in the order offered: every kind for a scene with a
// parameter, all but WorksheetAllValues for the others. The desktop writes
// the worksheet as a PDF file, the page prints it.
std::vector<SaveChoice> SaveChoices(bool hasParameter, WorksheetMedium worksheet);

// The choice of a kind, offered or not.
SaveChoice SaveChoiceOf(SaveKind kind, WorksheetMedium worksheet);

// What the status beside 保存 says after a save, and after a failed one.
std::string SavedStatus(std::string_view fileName);
inline constexpr std::string_view kSaveFailedStatus = "保存できませんでした";

}  // namespace kelvora
