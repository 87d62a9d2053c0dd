// 保存: the stored frames written as a looping GIF, a worksheet PDF, or the
// frame on the picture as a PNG. Files hold the stored pixels exactly; each
// is written beside its target and renamed into place when complete, so a
// failure leaves no partial file, keeps the file that was there, and is
// reported in a message box.

#include "viewer/viewer_window.h"

#include "export/gif_writer.h"
#include "export/png_writer.h"
#include "export/worksheet_writer.h"
#include "viewer/save_target.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QLabel>
#include <QScrollBar>
#include <QStandardPaths>

#include <new>
#include <vector>

namespace kelvora {

namespace {

QString askWhere(QWidget* parent, const QString& caption, const QString& proposal, const QString& filters,
    QString* selected)
{
    return QFileDialog::getSaveFileName(parent, caption, proposal, filters, selected);
}

}  // namespace

void ViewerWindow::save()
{
    if (!model_->controls().save)
        return;
    const int frameCount = model_->lastFrame() + 1;
    for (int k = 0; k < frameCount; ++k)
        if (!frameStore_.holds(k))
            return;

    // Both name the parameter value of the stored frames.
    const QString name = QString::fromStdString(model_->saveFileStem());
    const QString pictures = QStandardPaths::writableLocation(QStandardPaths::PicturesLocation);
    const QString folder = !pictures.isEmpty() && QDir(pictures).exists() ? pictures : QDir::currentPath();
    QString selectedFilter = SaveFilter(SaveKind::Gif);
    const SaveDialog dialog = saveDialog_ ? saveDialog_ : SaveDialog(&askWhere);
    const QString chosen = dialog(this, QStringLiteral("保存"),
        QDir(folder).filePath(name + QStringLiteral(".gif")), SaveFilters(), &selectedFilter);
    if (chosen.isEmpty())
        return;
    const SaveTarget target = ResolveSaveTarget(chosen, selectedFilter);

    // Every frame is stored (checked above): reading one back fails only
    // for want of memory.
    const auto storedFrame = [this](int k) {
        QImage frame;
        frameStore_.read(k, frame);
        return frame;
    };
    ExportResult written;
    try {
        if (target.kind == SaveKind::Png) {
            const int shown = model_->shownFrame();
            written = WritePng(target.path, storedFrame(shown >= 0 && shown < frameCount ? shown : 0));
        } else if (target.kind == SaveKind::Gif) {
            std::vector<QImage> frames;
            frames.reserve(static_cast<std::size_t>(frameCount));
            for (int k = 0; k < frameCount; ++k)
                frames.push_back(storedFrame(k));
            written = WriteAnimatedGif(target.path, frames, speedBar_->value());
        } else {
            // Read one at a time as the page is drawn.
            written = WriteWorksheet(
                target.path, QString::fromStdString(model_->worksheetTitle()), frameCount, storedFrame);
        }
    } catch (const std::bad_alloc&) {
        written.error = "out of memory";
    }

    const QString fileName = QFileInfo(target.path).fileName();
    if (!written.ok) {
        saveStatus_->setText(QStringLiteral("保存できませんでした"));
        nameLiveControls();
        messageSink_(SaveFailureMessage(fileName, written.error));
        return;
    }
    QString status = QStringLiteral("保存しました：%1").arg(fileName);
    if (written.quantised)
        status += QStringLiteral("（256色を超えるため減色）");
    saveStatus_->setText(status);
    saveStatus_->setToolTip(status);
    nameLiveControls();
}

}  // namespace kelvora
