#include "scenes/worksheet_text.h"

#include <array>
#include <numeric>

namespace kelvora {

std::string FrameTimeText(int k, int frameCount)
{
    if (k <= 0 || frameCount <= 0)
        return "t = 0";
    const int common = std::gcd(k, frameCount);
    const int numerator = k / common;
    const std::string denominator = std::to_string(frameCount / common);
    return "t = " + (numerator == 1 ? std::string() : std::to_string(numerator)) + "T/" + denominator;
}

std::string WorksheetFrameLabel(int k, int frameCount)
{
    return "コマ " + std::to_string(k + 1) + "\u3000" + FrameTimeText(k, frameCount);
}

std::span<const WorksheetField> WorksheetFields()
{
    static constexpr std::array<WorksheetField, 4> fields = {{
        {"名前", 0.4}, {"組", 0.15}, {"番号", 0.15}, {"日付", 0.3},
    }};
    return fields;
}

std::string WorksheetAnswerTitle(const std::string& title) { return title + "　（解答）"; }

}  // namespace kelvora
