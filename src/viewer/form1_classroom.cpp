// The viewer's classroom controls: the 保存 button with its status line,
// and the frame readout beside the options, which names the stored frame
// on the picture as "コマ k+1 / N" (frames counted from 1 for people; the
// store's slot k holds frame k of the period, at t = k/N T).

#include "viewer/form1.h"

#include "app/shared_state.h"
#include "viewer/viewer_layout.h"

#include <QEvent>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>

namespace kelvora {

void Form1::createClassroomControls()
{
    cmdSave_ = new QPushButton(QStringLiteral("保存"), this);
    cmdSave_->setGeometry(TwipsToPixels({480, 7080, 1455, 495}));
    cmdSave_->setEnabled(false);
    cmdSave_->setToolTip(QStringLiteral("アニメーションGIF、ワークシート（PDF）、表示中のコマ（PNG）として保存"));
    setTabOrder(cmdAnime_, cmdSave_);
    connect(cmdSave_, &QPushButton::clicked, this, [this] { Cmd_Save_Click(); });

    saveStatus_ = new QLabel(this);
    saveStatus_->setGeometry(TwipsToPixels({120, 7620, 2295, 255}));

    frameReadout_ = new QLabel(this);
    frameReadout_->setGeometry(TwipsToPixels({480, 330, 2160, 435}));
    QFont readoutFont = font();
    readoutFont.setPointSize(12);
    frameReadout_->setFont(readoutFont);

    cmdPicture_->setToolTip(QStringLiteral("描画（Enter キー）"));
    cmdAnime_->setToolTip(QStringLiteral("アニメ開始（スペース キー）"));
    cmdStop_->setToolTip(QStringLiteral("一時停止（スペース キー）"));
    cmdStep_->setToolTip(
        QStringLiteral("コマ送り（→ キー、Page Down キー）\nコマ戻し（← キー、Page Up キー）"));
    cmdEnd_->setToolTip(QStringLiteral("終了（Esc キー）"));

    // 保存 follows アニメ開始, whose enabled state every handler sets.
    cmdAnime_->installEventFilter(this);
    // The keys act wherever the focus is in the window: each control's
    // events pass through eventFilter before the control sees them.
    installEventFilter(this);
    for (QWidget* child : findChildren<QWidget*>())
        child->installEventFilter(this);
}

void Form1::updateSaveEnabled()
{
    cmdSave_->setEnabled(cmdAnime_->isEnabled() && !capturing_);
}

void Form1::noteShownFrame(int k)
{
    shownFrameIndex_ = k;
    frameReadout_->setText(QStringLiteral("コマ %1 / %2").arg(k + 1).arg(Shared().LastFrame + 1));
}

}  // namespace kelvora
