// 保存: the stored frames written as a looping GIF, or the frame on the
// picture as a PNG, holding the stored pixels exactly; or a worksheet PDF,
// drawn afresh at the picture's size so its labels can be set for paper,
// for the value drawn or for every value of the parameter. Each file is
// written beside its target and renamed into place when complete, so a
// failure leaves no partial file, keeps the file that was there, and is
// reported in a message box. With probes marked, each picture is ringed
// over its graph as kelvora-render --probe draws it, and the worksheet
// gets the blank graph and an answer page.

#include "viewer/viewer_window.h"

#include "export/gif_writer.h"
#include "export/png_writer.h"
#include "export/probed_picture.h"
#include "canvas/runtime_error.h"
#include "export/scene_worksheet.h"
#include "scenes/scene_catalogue.h"
#include "viewer/save_target.h"

#include <QApplication>
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

ExportResult ViewerWindow::writeWorksheet(const QString& path, bool allValues)
{
    const RasterSurface& surface = picture_->surface();
    SceneWorksheet sheet;
    sheet.sceneIndex = model_->sceneIndex();
    sheet.frameCount = model_->lastFrame() + 1;
    sheet.parameterValues = allValues ? ParameterValues(sheet.sceneIndex) : std::vector<int>{model_->sceneParam()};
    sheet.size = QSize(surface.logicalWidth(), surface.logicalHeight());
    sheet.screen = QSize(screenWidth(), screenHeight());
    sheet.devicePixelRatio = surface.devicePixelRatio();
    for (const MediumSite& site : model_->probe().marks().sites)
        sheet.probes.push_back(site.rest);
    QApplication::setOverrideCursor(Qt::WaitCursor);
    ExportResult written;
    try {
        written = WriteSceneWorksheet(path, sheet);
    } catch (const RuntimeError& error) {
        written.error = error.what();
    } catch (const std::bad_alloc&) {
        written.error = "out of memory";
    }
    QApplication::restoreOverrideCursor();
    return written;
}

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
    const bool hasParameter = ParameterSetupFor(model_->sceneIndex()).has_value();
    const QString chosen = dialog(this, QStringLiteral("保存"),
        QDir(folder).filePath(name + QStringLiteral(".gif")), SaveFilters(hasParameter), &selectedFilter);
    if (chosen.isEmpty())
        return;
    const SaveTarget target = ResolveSaveTarget(chosen, selectedFilter);

    // Every frame is stored (checked above): reading one back fails only
    // for want of memory.
    const ViewerProbe& probe = model_->probe();
    const auto storedFrame = [this, &probe](int k) {
        QImage frame;
        frameStore_.read(k, frame);
        if (probe.empty() || frame.isNull())
            return frame;
        RasterSurface& surface = picture_->surface();
        frame = ProbedPicture(frame, picture_->canvas().state(), probe.marks().sites, probe.graph(), k,
            QSize(surface.logicalWidth(), surface.logicalHeight()), surface.devicePixelRatio());
        if (frame.isNull())
            throw std::bad_alloc();
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
            written = writeWorksheet(target.path, target.kind == SaveKind::WorksheetAllValues);
        }
    } catch (const std::bad_alloc&) {
        written.error = "out of memory";
    }

    const QString fileName = QFileInfo(target.path).fileName();
    if (!written.ok) {
        saveStatus_->setText(QString::fromUtf8(kSaveFailedStatus.data(), static_cast<qsizetype>(kSaveFailedStatus.size())));
        nameLiveControls();
        messageSink_(SaveFailureMessage(fileName, written.error));
        return;
    }
    QString status = QString::fromStdString(SavedStatus(fileName.toStdString()));
    if (written.quantised)
        status += QStringLiteral("（256色を超えるため減色）");
    saveStatus_->setText(status);
    saveStatus_->setToolTip(status);
    nameLiveControls();
}

}  // namespace kelvora
