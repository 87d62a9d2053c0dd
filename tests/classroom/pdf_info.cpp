#include "pdf_info.h"

#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>

namespace kelvora::test {

PdfInfo ReadPdfInfo(const QString& path)
{
    PdfInfo info;
    const QString program = QStandardPaths::findExecutable(QStringLiteral("pdfinfo"));
    if (program.isEmpty())
        return info;
    QProcess process;
    process.start(program, {path});
    if (!process.waitForFinished(30000) || process.exitCode() != 0)
        return info;
    const QString text = QString::fromUtf8(process.readAllStandardOutput());
    const QRegularExpressionMatch pages = QRegularExpression(QStringLiteral("Pages:\\s+(\\d+)")).match(text);
    const QRegularExpressionMatch size
        = QRegularExpression(QStringLiteral("Page size:\\s+([\\d.]+) x ([\\d.]+) pts")).match(text);
    if (!pages.hasMatch() || !size.hasMatch())
        return info;
    info.available = true;
    info.pages = pages.captured(1).toInt();
    info.widthPt = size.captured(1).toDouble();
    info.heightPt = size.captured(2).toDouble();
    return info;
}

QString ReadPdfText(const QString& path)
{
    QProcess process;
    process.start(QStringLiteral("pdftotext"), {QStringLiteral("-raw"), path, QStringLiteral("-")});
    process.waitForFinished(30000);
    return QString::fromUtf8(process.readAllStandardOutput());
}

}  // namespace kelvora::test
