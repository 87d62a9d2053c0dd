#pragma once

#include "viewer_model/menu_description.h"

#include <QWidget>

#include <array>
#include <vector>

class QLabel;
class QPushButton;

namespace kelvora {

class ViewerWindow;

// The menu window: the heading, the sixteen scene buttons (indexed by
// SceneIndex; objectNames Command1_0 to Command1_15) and the end button.
// Pressing a scene button opens the viewer on that scene and closes the
// menu; the viewer's end button brings a new menu back.
class MenuWindow : public QWidget {
    Q_OBJECT

public:
    // Sizes, centres and lays out the window.
    explicit MenuWindow(QWidget* parent = nullptr);

    QPushButton* sceneButton(int sceneIndex) const { return sceneButtons_[static_cast<std::size_t>(sceneIndex)]; }
    QPushButton* endButton() const { return endButton_; }
    QLabel* heading() const { return heading_; }
    const MenuDescription& description() const { return description_; }
    // The widget of each described control, in the description's order.
    const std::vector<QWidget*>& controlWidgets() const { return controls_; }

    // The window's outer size in pixels, frame included.
    static QSize outerSizePixels();
    // Where the whole window stands when centred on the screen, at its
    // outer size or at the one given.
    static QPoint centredTopLeft();
    static QPoint centredTopLeft(QSize outer);

signals:
    // A scene button opened this viewer (it is already shown).
    void viewerOpened(kelvora::ViewerWindow* viewer);

protected:
    bool event(QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void createControls();
    void openScene(int sceneIndex);
    void endProgram();
    void placeControls();
    void fitFrameOnce();

    const MenuDescription description_;
    std::vector<QWidget*> controls_;
    std::array<QPushButton*, 16> sceneButtons_{};
    QPushButton* endButton_ = nullptr;
    QLabel* heading_ = nullptr;
    QSize frame_;  // what the window manager's frame adds; invalid until known
    int columns_ = 2;  // scene buttons to a row, for the arrow keys
};

// Opens a new menu window and wires its viewers back to new menus, so the
// program can go round menu -> viewer -> menu for as long as the user likes.
MenuWindow* ShowMenu();

}  // namespace kelvora
