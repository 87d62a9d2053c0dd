#pragma once

#include <QString>

#include <string>

namespace kelvora {

// What 保存 writes: every stored frame as a looping GIF, a worksheet PDF of
// every frame, or the frame on the picture as a PNG.
enum class SaveKind { Gif, Worksheet, Png };

struct SaveTarget {
    QString path;
    SaveKind kind = SaveKind::Gif;
};

// The dialog's filter for a kind, and all three for the dialog.
QString SaveFilter(SaveKind kind);
QString SaveFilters();

// The file to write and its kind: the name's own .gif, .pdf or .png suffix
// decides; a name without one takes the chosen filter's kind and suffix.
SaveTarget ResolveSaveTarget(const QString& chosenPath, const QString& selectedFilter);

// The message box text for a failed save, in Japanese: which file, the
// cause in plain words when it is a known one, and the system's detail.
QString SaveFailureMessage(const QString& fileName, const std::string& detail);

}  // namespace kelvora
