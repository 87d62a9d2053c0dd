// What a screen reader says of the viewer's controls: every name and
// description is here. Most are fixed once the scene is known; the picture,
// the frame readout and the save status follow what they show.

#include "viewer/viewer_window.h"

#include "scenes/scene_catalogue.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>

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

void ViewerWindow::nameControls()
{
    // The parameter's caption without its padding; scenes without a
    // parameter keep the design caption on their hidden controls.
    const QString parameter = QString::fromStdString(model_->parameterLabel()).trimmed();
    const QString frameCount = QStringLiteral("1周期を%1コマで描く。最初の「描画」の前に選ぶ");
    struct Naming {
        QWidget* widget;
        QString name;
        QString description;  // empty where the name says it all
    };
    const Naming namings[] = {
        {drawButton_, QStringLiteral("描画"), QStringLiteral("1周期のコマをすべて描いて記憶する（Enter キー）")},
        {playButton_, QStringLiteral("アニメ開始"), QStringLiteral("記憶したコマを繰り返し表示する（スペース キー）")},
        {pauseButton_, QStringLiteral("一時停止"), QStringLiteral("アニメを止める（スペース キー）")},
        {stepButton_, QStringLiteral("コマ送り"),
            QStringLiteral("1コマ進める（→ キー、Page Down キー）。1コマ戻すのは ← キー、Page Up キー")},
        {endButton_, QStringLiteral("終了"), QStringLiteral("メニューに戻る（Esc キー）")},
        {saveButton_, QStringLiteral("保存"), saveButton_->toolTip()},
        {frames12_, QStringLiteral("１２画面"), frameCount.arg(12)},
        {frames24_, QStringLiteral("２４画面"), frameCount.arg(24)},
        {speedLabel_, QStringLiteral("アニメ速度"), {}},
        {speedBar_, QStringLiteral("アニメ速度"), QStringLiteral("1コマの表示時間。左ほど速い")},
        {fastLabel_, QStringLiteral("速い"), QStringLiteral("アニメ速度の左端")},
        {slowLabel_, QStringLiteral("遅い"), QStringLiteral("アニメ速度の右端")},
        {parameterLabel_, parameter, {}},
        {parameterBar_, parameter, QStringLiteral("変えると記憶したコマは消える。もう一度「描画」を押す")},
        {parameterText_, parameter + QStringLiteral("の値"), QStringLiteral("スクロールバーで選んだ値")},
        {titleLabel_, QString::fromStdString(SceneTitle(model_->sceneIndex())), {}},
        {picture_, QString::fromStdString(model_->pictureName()), QStringLiteral("描画したコマを表示する")},
    };
    for (const Naming& naming : namings) {
        setName(naming.widget, naming.name);
        naming.widget->setAccessibleDescription(naming.description);
    }
    nameLiveControls();
}

void ViewerWindow::nameLiveControls()
{
    setName(picture_, QString::fromStdString(model_->pictureName()));
    const QString readout = frameReadout_->text();
    setName(frameReadout_, readout.isEmpty() ? QStringLiteral("表示中のコマ：なし") : readout);
    const QString status = saveStatus_->text();
    setName(saveStatus_, status.isEmpty() ? QStringLiteral("保存の結果：なし") : status);
}

}  // namespace kelvora
