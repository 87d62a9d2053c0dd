#pragma once

#include "menu/menu_layout.h"

#include <QWidget>

#include <array>

class QLabel;
class QPushButton;

namespace kelvora {

class Form1;

// The menu window: the sixteen scene buttons of the control array
// Command1 (indexed by SceneIndex), the end button and the heading.
// Pressing a scene button opens the viewer on that scene and closes the
// menu; the viewer's end button brings a new menu back.
class Form2 : public QWidget {
    Q_OBJECT

public:
    // Runs Form_Load: sizes, centres and lays out the window.
    explicit Form2(QWidget* parent = nullptr);

    QPushButton* Command1(int index) const { return command1_[static_cast<std::size_t>(index)]; }
    QPushButton* Cmd_End() const { return cmdEnd_; }
    QLabel* Label1() const { return label1_; }
    const MenuLayout& layout() const { return layout_; }

    // The window's outer size in pixels, as Form_Load sets it.
    static QSize outerSizePixels();
    // Where the whole window stands when centred on the screen.
    static QPoint centredTopLeft();

signals:
    // A scene button opened this viewer (it is already shown).
    void viewerOpened(kelvora::Form1* viewer);

protected:
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void createControls();
    void Form_Load();
    void Command1_Click(int index);
    void Cmd_End_Click();
    void placeControls();
    void moveFocusInReadingOrder(int step);

    std::array<QPushButton*, 16> command1_{};
    QPushButton* cmdEnd_ = nullptr;
    QLabel* label1_ = nullptr;
    MenuLayout layout_;
    bool frameAdjusted_ = false;
};

// Opens a new menu window and wires its viewers back to new menus, so the
// program can go round menu -> viewer -> menu for as long as the user likes.
Form2* ShowMenu();

}  // namespace kelvora
