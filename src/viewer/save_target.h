#pragma once

#include "viewer_model/save_choices.h"

#include <QString>

#include <string>

namespace kelvora {

struct SaveTarget {
    QString path;
    SaveKind kind = SaveKind::Gif;
};

// The dialog's filter for a kind ("アニメーションGIF (*.gif)"), and those
// the dialog offers, as SaveChoices offers them.
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
