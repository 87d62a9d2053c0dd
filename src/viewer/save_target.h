#pragma once

#include <QString>

#include <string>

namespace kelvora {

// What 保存 writes: every stored frame as a looping GIF, a worksheet PDF of
// every frame, the same with a page for every value of the scene's
// parameter, or the frame on the picture as a PNG.
enum class SaveKind { Gif, Worksheet, WorksheetAllValues, Png };

struct SaveTarget {
    QString path;
    SaveKind kind = SaveKind::Gif;
};

// The dialog's filter for a kind, and those the dialog offers: all of them
// for a scene with a parameter, all but WorksheetAllValues for the others.
QString SaveFilter(SaveKind kind);
QString SaveFilters(bool hasParameter);

// The file to write and its kind: the name's own .gif, .pdf or .png suffix
// decides (a .pdf with the all-values filter chosen is that worksheet); a
// name without one takes the chosen filter's kind and suffix.
SaveTarget ResolveSaveTarget(const QString& chosenPath, const QString& selectedFilter);

// The message box text for a failed save, in Japanese: which file, the
// cause in plain words when it is a known one, and the system's detail.
QString SaveFailureMessage(const QString& fileName, const std::string& detail);

}  // namespace kelvora
