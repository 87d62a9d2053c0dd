#include "viewer_model/viewer_description.h"

#include "canvas/numeric.h"
#include "scenes/scene_catalogue.h"
#include "scenes/scene_context.h"
#include "viewer_model/viewer_probe.h"

#include <stdexcept>

namespace kelvora {

namespace {

// The design's caption of the parameter label, which scenes without a
// parameter keep (hidden): seven ASCII spaces, one U+3000, one space.
constexpr const char* kDesignParameterCaption = "       　 節の数";

std::string frameCountDescription(int frames)
{
    return "1周期を" + std::to_string(frames) + "コマで描く。最初の「描画」の前に選ぶ";
}

ControlDescription button(const char* name, const char* designName, const char* caption, DesignRect rect,
    const char* tooltip, const char* description)
{
    ControlDescription c = DescribeControl(name, designName, ControlRole::Button, caption, rect);
    c.tooltip = tooltip;
    c.accessibleName = caption;
    c.accessibleDescription = description;
    return c;
}

ControlDescription label(const char* name, const char* designName, std::string caption, DesignRect rect,
    std::string accessibleName, std::string description = {})
{
    ControlDescription c = DescribeControl(name, designName, ControlRole::Label, std::move(caption), rect);
    c.accessibleName = std::move(accessibleName);
    c.accessibleDescription = std::move(description);
    return c;
}

ControlDescription option(const char* name, const char* designName, const char* caption, DesignRect rect, int frames)
{
    ControlDescription c = DescribeControl(name, designName, ControlRole::OptionButton, caption, rect);
    c.accessibleName = caption;
    c.accessibleDescription = frameCountDescription(frames);
    c.value = frames;
    return c;
}

// A button stepping a scroll bar by its small change, for a finger, which
// cannot hit the bar's own arrows.
ControlDescription stepButton(const char* name, const char* caption, DesignRect rect, std::string accessibleName,
    const char* description)
{
    ControlDescription c = DescribeControl(name, name, ControlRole::Button, caption, rect);
    c.tooltip = accessibleName;
    c.accessibleName = std::move(accessibleName);
    c.accessibleDescription = description;
    c.touchOnly = true;
    return c;
}

ControlDescription scrollBar(const char* name, const char* designName, DesignRect rect, ScrollRange range,
    std::string accessibleName, const char* description)
{
    ControlDescription c = DescribeControl(name, designName, ControlRole::ScrollBar, "", rect);
    c.range = range;
    c.accessibleName = std::move(accessibleName);
    c.accessibleDescription = description;
    return c;
}

}  // namespace

ControlDescription DescribeControl(
    std::string name, std::string designName, ControlRole role, std::string caption, DesignRect rect)
{
    ControlDescription c;
    c.name = std::move(name);
    c.designName = std::move(designName);
    c.role = role;
    c.caption = std::move(caption);
    c.rect = rect;
    return c;
}

const ControlDescription& ViewerDescription::at(std::string_view name) const { return controls.at(indexOf(name)); }

std::size_t ViewerDescription::indexOf(std::string_view name) const
{
    for (std::size_t i = 0; i < controls.size(); ++i)
        if (controls[i].name == name)
            return i;
    throw std::out_of_range("no viewer control " + std::string(name));
}

ViewerDescription DescribeViewer(int sceneIndex, WorksheetMedium worksheet)
{
    ViewerDescription v;
    v.windowCaption = "Kelvora";
    v.background = 0xC0C0C0;
    // The default disabled text is nearly the grey of the window.
    v.disabledText = 0x808080;
    v.pictureBackground = 0xFFFFFF;
    v.designArea = {0, 0, 11925, 7890};
    // アニメ速度 has the focus, as it always has: Space starts playback and
    // the arrows set the speed.
    v.initialFocus = "speed";

    const std::optional<ParameterSetup> setup = ParameterSetupFor(sceneIndex);
    const std::string parameterCaption = setup ? setup->label : kDesignParameterCaption;
    // The parameter's names go without the caption's padding.
    const std::string parameterName = setup ? ParameterName(sceneIndex) : "節の数";
    const char* const saveTooltip = worksheet == WorksheetMedium::PdfFile
        ? "アニメーションGIF、ワークシート（PDF）、表示中のコマ（PNG）として保存"
        : "アニメーションGIF、ワークシート（印刷・PDF）、表示中のコマ（PNG）として保存";

    auto& c = v.controls;
    // The top row: the frame shown, the frame count and the title.
    c.push_back(label("readout", "FrameReadout", "", {480, 330, 2160, 435}, "表示中のコマ：なし"));
    c.back().font.points = 12;
    c.push_back(option("frames12", "Option1", "１２画面", {2880, 360, 1215, 375}, 12));
    c.push_back(option("frames24", "Option2", "２４画面", {4200, 360, 1335, 375}, 24));
    const SceneInfo* scene = FindScene(sceneIndex);
    c.push_back(label("title", "Label5", scene ? scene->viewerTitle : "Label5", {5280, 240, 5055, 495},
        SceneTitle(sceneIndex)));
    c.back().font.points = 18;

    // The column at the left.
    c.push_back(button("draw", "Cmd_Picture", "描画", {480, 840, 1455, 495}, "描画（Enter キー）",
        "1周期のコマをすべて描いて記憶する（Enter キー）"));
    c.push_back(button("play", "Cmd_Anime", "アニメ開始", {480, 1560, 1455, 495}, "アニメ開始（スペース キー）",
        "記憶したコマを繰り返し表示する（スペース キー）"));
    c.push_back(button("pause", "Cmd_stop", "一時停止", {480, 2040, 1455, 495}, "一時停止（スペース キー）",
        "アニメを止める（スペース キー）"));
    c.push_back(button("step", "Cmd_step", "コマ送り", {480, 2520, 1455, 495},
        "コマ送り（→ キー、Page Down キー）\nコマ戻し（← キー、Page Up キー）",
        "1コマ進める（→ キー、Page Down キー）。1コマ戻すのは ← キー、Page Up キー"));
    c.push_back(button("end", "Cmd_End", "終了", {480, 3240, 1455, 492}, "終了（Esc キー）", "メニューに戻る（Esc キー）"));
    c.push_back(label("speed-label", "Label1", "アニメ速度", {720, 4080, 855, 255}, "アニメ速度"));
    c.push_back(label("fast-label", "Label2", "速", {240, 4560, 615, 375}, "速い", "アニメ速度の左端"));
    c.push_back(stepButton("speed-less", "−", {360, 4440, 240, 495}, "アニメ速度を速く", "1コマの表示時間を短く"));
    c.push_back(scrollBar("speed", "HScroll1", {600, 4440, 1095, 495}, {1, 1000, 10, 50, 200}, "アニメ速度",
        "1コマの表示時間。左ほど速い"));
    c.push_back(stepButton("speed-more", "+", {1695, 4440, 225, 495}, "アニメ速度を遅く", "1コマの表示時間を長く"));
    c.push_back(label("slow-label", "Label3", "遅", {1920, 4560, 495, 375}, "遅い", "アニメ速度の右端"));
    const std::size_t firstOfParameter = c.size();
    c.push_back(label("parameter-label", "Label4", parameterCaption, {120, 5520, 2295, 255}, parameterName));
    c.push_back(stepButton("parameter-less", "−", {360, 5760, 240, 495}, parameterName + "を1目盛り小さく",
        "変えると記憶したコマは消える"));
    c.push_back(scrollBar("parameter", "HScroll2", {600, 5760, 855, 495}, {1, 5, 1, 1, 1}, parameterName,
        "変えると記憶したコマは消える。もう一度「描画」を押す"));
    c.push_back(stepButton("parameter-more", "+", {1455, 5760, 240, 495}, parameterName + "を1目盛り大きく",
        "変えると記憶したコマは消える"));
    c.push_back(DescribeControl("parameter-text", "Text1", ControlRole::TextBox, "1", {720, 6360, 615, 375}));
    c.back().font.points = 12;
    c.back().accessibleName = parameterName + "の値";
    c.back().accessibleDescription = "スクロールバーで選んだ値";
    for (std::size_t i = firstOfParameter; i < c.size(); ++i)
        c[i].hidden = !setup;
    c.push_back(button("save", "Cmd_Save", "保存", {480, 7080, 1455, 495}, saveTooltip, saveTooltip));
    c.push_back(label("save-status", "SaveStatus", "", {120, 7620, 2295, 255}, "保存の結果：なし"));

    // The picture, placed by LayoutPicture on the screen it finds.
    c.push_back(DescribeControl("picture", "Picture1", ControlRole::Picture, "", {2520, 960, 8895, 6255}));
    c.back().accessibleName = SceneTitle(sceneIndex);
    c.back().accessibleDescription = "描画したコマを表示する";
    if (SceneTakesProbe(sceneIndex)) {
        c.back().tooltip = ProbeHowTo(sceneIndex);
        c.back().accessibleDescription += "。" + c.back().tooltip;
    }
    return v;
}

std::vector<PixelRect> LayOutViewerAsDesigned(
    const ViewerDescription& viewer, int areaWidth, int areaHeight, double scale)
{
    const PictureLayout picture = LayoutPicture(areaWidth, areaHeight);
    std::vector<PixelRect> places;
    places.reserve(viewer.controls.size());
    for (const ControlDescription& c : viewer.controls) {
        const DesignRect& r = c.rect;
        PixelRect place = TwipsToPixels(DesignRect{r.left * scale, r.top * scale, r.width * scale, r.height * scale});
        if (c.role == ControlRole::Picture)
            place = PictureRect(picture);
        else if (c.name == "title")
            place.left = ToInt32(picture.titleLeft);  // it keeps its design size and top
        else if (c.touchOnly)
            place = {};
        places.push_back(place);
    }
    return places;
}

PictureLayout LayoutPicture(double areaWidth, double areaHeight)
{
    PictureLayout layout{};
    layout.width = areaWidth * 0.75;
    layout.height = areaHeight * 0.8;
    layout.left = (areaWidth + 130 - layout.width) / 2;
    layout.top = (areaHeight - layout.height) / 2;
    layout.titleLeft = (layout.width + layout.left) / 2 - 80;
    return layout;
}

PixelRect PictureRect(const PictureLayout& layout)
{
    return {ToInt32(layout.left), ToInt32(layout.top), ToInt32(layout.width), ToInt32(layout.height)};
}

int TwipsToPixels(double twips) { return ToInt32(twips / kTwipsPerPixel); }

PixelRect TwipsToPixels(const DesignRect& r)
{
    return {TwipsToPixels(r.left), TwipsToPixels(r.top), TwipsToPixels(r.width), TwipsToPixels(r.height)};
}

}  // namespace kelvora
