#include "viewer_model/save_choices.h"

namespace kelvora {

namespace {

constexpr SaveKind kOrder[] = {SaveKind::Gif, SaveKind::Worksheet, SaveKind::WorksheetAllValues, SaveKind::Png};

}  // namespace

SaveChoice SaveChoiceOf(SaveKind kind, WorksheetMedium worksheet)
{
    const bool printed = worksheet == WorksheetMedium::Print;
    switch (kind) {
    case SaveKind::Gif: return {kind, "アニメーションGIF", "gif", "gif"};
    case SaveKind::Worksheet:
        return {kind, printed ? "ワークシート（印刷・PDF）" : "ワークシート PDF", "pdf", "sheet"};
    case SaveKind::WorksheetAllValues:
        return {kind, printed ? "ワークシート、値ごとに 1 ページ（印刷・PDF）" : "ワークシート PDF、値ごとに 1 ページ", "pdf",
            "sheet-all"};
    case SaveKind::Png: return {kind, printed ? "表示中のコマ（PNG）" : "表示中のコマ PNG", "png", "png"};
    }
    return {};
}

std::vector<SaveChoice> SaveChoices(bool hasParameter, WorksheetMedium worksheet)
{
    std::vector<SaveChoice> choices;
    for (const SaveKind kind : kOrder) {
        if (kind != SaveKind::WorksheetAllValues || hasParameter)
            choices.push_back(SaveChoiceOf(kind, worksheet));
    }
    return choices;
}

std::string SavedStatus(std::string_view fileName) { return "保存しました：" + std::string(fileName); }

}  // namespace kelvora
