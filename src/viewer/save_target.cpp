#include "viewer/save_target.h"

#include <QFileInfo>
#include <QStringList>

namespace kelvora {

namespace {

QString filterOf(const SaveChoice& choice)
{
    return QStringLiteral("%1 (*.%2)").arg(QString::fromStdString(choice.caption), QString::fromStdString(choice.extension));
}

}  // namespace

QString SaveFilter(SaveKind kind) { return filterOf(SaveChoiceOf(kind, WorksheetMedium::PdfFile)); }

QString SaveFilters(bool hasParameter)
{
    QStringList filters;
    for (const SaveChoice& choice : SaveChoices(hasParameter, WorksheetMedium::PdfFile))
        filters << filterOf(choice);
    return filters.join(QStringLiteral(";;"));
}

SaveTarget ResolveSaveTarget(const QString& chosenPath, const QString& selectedFilter)
{
    const QString suffix = QFileInfo(chosenPath).suffix().toLower();
    if (suffix == QLatin1String("gif"))
        return {chosenPath, SaveKind::Gif};
    const SaveKind worksheet = selectedFilter == SaveFilter(SaveKind::WorksheetAllValues)
        ? SaveKind::WorksheetAllValues
        : SaveKind::Worksheet;
    if (suffix == QLatin1String("pdf"))
        return {chosenPath, worksheet};
    if (suffix == QLatin1String("png"))
        return {chosenPath, SaveKind::Png};
    if (selectedFilter == SaveFilter(SaveKind::Worksheet) || worksheet == SaveKind::WorksheetAllValues)
        return {chosenPath + QStringLiteral(".pdf"), worksheet};
    if (selectedFilter == SaveFilter(SaveKind::Png))
        return {chosenPath + QStringLiteral(".png"), SaveKind::Png};
    return {chosenPath + QStringLiteral(".gif"), SaveKind::Gif};
}

QString SaveFailureMessage(const QString& fileName, const std::string& detail)
{
    struct Cause {
        const char* systemText;
        const char* japanese;
    };
    static const Cause causes[] = {
        {"Permission denied", "この場所に書き込む許可がありません。"},
        {"No space left on device", "ディスクの空きが足りません。"},
        {"Disk quota exceeded", "ディスクの割り当てを超えました。"},
        {"Read-only file system", "読み取り専用の場所には保存できません。"},
        {"No such file or directory", "保存先のフォルダーが見つかりません。"},
        {"it is a directory", "同じ名前のフォルダーがあります。"},
        {"it is not a regular file", "ファイルではないもの（装置など）には保存できません。"},
        {"the file is read-only", "読み取り専用のファイルには上書きできません。"},
        {"symbolic link to a file that does not exist", "リンク先のファイルがありません。"},
        {"File name too long", "ファイル名が長すぎます。"},
        {"out of memory", "メモリーが足りません。"},
    };
    QString cause = QStringLiteral("ファイルを書き込めませんでした。");
    for (const Cause& c : causes)
        if (detail.find(c.systemText) != std::string::npos) {
            cause = QString::fromUtf8(c.japanese);
            break;
        }
    return QStringLiteral("「%1」を保存できませんでした。\n%2\n（%3）")
        .arg(fileName, cause, QString::fromStdString(detail));
}

}  // namespace kelvora
