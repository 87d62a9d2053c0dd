#pragma once

#include <span>
#include <string>

namespace kelvora {

// What a printed worksheet says besides its pictures, shared by every
// writer of one.

// The time of frame k of frameCount as a reduced fraction of the period:
// "t = 0", "t = T/4", "t = 5T/12".
std::string FrameTimeText(int k, int frameCount);

// The label under frame k of frameCount: "コマ 4　t = T/4".
std::string WorksheetFrameLabel(int k, int frameCount);

// A field for the student to fill in at the top of the sheet: its caption
// and the share of the header line it takes.
struct WorksheetField {
    const char* caption;
    double share;
};

// 名前・組・番号・日付, in that order.
std::span<const WorksheetField> WorksheetFields();

// The title of a worksheet's answer page: "横波定常波　（解答）".
std::string WorksheetAnswerTitle(const std::string& title);

// The smallest text on paper, picture labels included: about 7 points, what
// a class can read on a copy.
inline constexpr double kWorksheetMinimumTextMm = 2.5;

}  // namespace kelvora
