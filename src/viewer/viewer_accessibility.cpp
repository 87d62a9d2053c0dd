// What a screen reader says of the controls that follow what they show: the
// picture, the frame readout and the save status. The names of the others
// are in the viewer's description.

#include "viewer/viewer_window.h"

#include <QLabel>

namespace kelvora {

namespace {

void setName(QWidget* widget, const QString& name)
{
    // Qt tells assistive technology of every change; the picture's name
    // would otherwise be sent again on each pass of playback.
    if (widget->accessibleName() != name)
        widget->setAccessibleName(name);
}

}  // namespace

void ViewerWindow::nameLiveControls()
{
    setName(picture_, QString::fromStdString(model_->pictureName()));
    // The graph in words, after what the picture is and how to mark it.
    const std::string probe = model_->probeDescription();
    const std::string& described = description_.at("picture").accessibleDescription;
    const QString description = QString::fromStdString(probe.empty() ? described : described + "\n" + probe);
    if (picture_->accessibleDescription() != description)
        picture_->setAccessibleDescription(description);
    // A status label's described name stands for it while it shows nothing.
    const auto nameStatus = [this](QLabel* label, std::string_view name) {
        const QString text = label->text();
        setName(label, text.isEmpty() ? QString::fromStdString(description_.at(name).accessibleName) : text);
    };
    nameStatus(frameReadout_, "readout");
    nameStatus(saveStatus_, "save-status");
}

}  // namespace kelvora
