// What the page sees of the C++ side: the viewer model itself (its controls,
// keys and actions, not a copy of its tables), the web host around it, the
// store of packed frames, the menu's layout and the scene catalogue.

#include "menu/menu_layout.h"
#include "scenes/scene_catalogue.h"
#include "viewer_model/viewer_keys.h"
#include "viewer_model/viewer_model.h"
#include "web/web_frame_store.h"
#include "web/web_viewer.h"
#include "web/worksheet_page.h"

#include <emscripten/bind.h>

#include <string>

namespace kelvora {

namespace {

using emscripten::val;

val rect(const UserRect& r)
{
    val out = val::object();
    out.set("left", r.left);
    out.set("top", r.top);
    out.set("width", r.width);
    out.set("height", r.height);
    return out;
}

// The menu as its window lays it out: rectangles in the user scale
// (scaleWidth x scaleHeight), button widths in twips.
val menuLayout()
{
    const MenuLayout layout = ComputeMenuLayout();
    val out = val::object();
    val buttons = val::array();
    for (const UserRect& r : layout.sceneButtons)
        buttons.call<void>("push", rect(r));
    out.set("sceneButtons", buttons);
    out.set("endButton", rect(layout.endButton));
    out.set("heading", rect(layout.heading));
    out.set("scaleWidth", kMenuScaleWidth);
    out.set("scaleHeight", kMenuScaleHeight);
    out.set("widthTwips", kMenuWidthTwips);
    out.set("heightTwips", kMenuHeightTwips);
    out.set("twipsPerPixel", kTwipsPerPixel);
    val order = val::array();
    for (int i : kMenuReadingOrder)
        order.call<void>("push", i);
    out.set("readingOrder", order);
    return out;
}

std::string menuCaption(int sceneIndex)
{
    const SceneInfo* scene = FindScene(sceneIndex);
    return scene ? scene->menuCaption : "";
}

ParameterControl parameterOf(const ViewerModel& model) { return model.parameter(); }

WebViewer* createViewer(int sceneIndex, val page, const WebPictureSize& size)
{
    return new WebViewer(sceneIndex, std::move(page), size);
}

}  // namespace

EMSCRIPTEN_BINDINGS(kelvora_web)
{
    using namespace emscripten;

    enum_<ViewerPhase>("ViewerPhase")
        .value("Empty", ViewerPhase::Empty)
        .value("Capturing", ViewerPhase::Capturing)
        .value("Ready", ViewerPhase::Ready)
        .value("Playing", ViewerPhase::Playing)
        .value("Paused", ViewerPhase::Paused)
        .value("Stepped", ViewerPhase::Stepped);
    enum_<ViewerKey>("ViewerKey")
        .value("Space", ViewerKey::Space)
        .value("Right", ViewerKey::Right)
        .value("PageDown", ViewerKey::PageDown)
        .value("Left", ViewerKey::Left)
        .value("PageUp", ViewerKey::PageUp)
        .value("Enter", ViewerKey::Enter)
        .value("Escape", ViewerKey::Escape);
    enum_<FocusKind>("FocusKind")
        .value("Picture", FocusKind::Picture)
        .value("Button", FocusKind::Button)
        .value("OptionButton", FocusKind::OptionButton)
        .value("ScrollBar", FocusKind::ScrollBar)
        .value("TextBox", FocusKind::TextBox);
    enum_<KeyCommand>("KeyCommand")
        .value("None", KeyCommand::None)
        .value("Draw", KeyCommand::Draw)
        .value("Play", KeyCommand::Play)
        .value("Pause", KeyCommand::Pause)
        .value("Step", KeyCommand::Step)
        .value("StepBack", KeyCommand::StepBack)
        .value("End", KeyCommand::End);

    value_object<ViewerControls>("ViewerControls")
        .field("draw", &ViewerControls::draw)
        .field("play", &ViewerControls::play)
        .field("pause", &ViewerControls::pause)
        .field("step", &ViewerControls::step)
        .field("end", &ViewerControls::end)
        .field("save", &ViewerControls::save)
        .field("frameCount", &ViewerControls::frameCount)
        .field("speed", &ViewerControls::speed)
        .field("parameter", &ViewerControls::parameter);
    value_object<ParameterControl>("ParameterControl")
        .field("value", &ParameterControl::value)
        .field("min", &ParameterControl::min)
        .field("max", &ParameterControl::max)
        .field("largeChange", &ParameterControl::largeChange)
        .field("text", &ParameterControl::text);
    value_object<WebPictureSize>("WebPictureSize")
        .field("width", &WebPictureSize::width)
        .field("height", &WebPictureSize::height)
        .field("devicePixelRatio", &WebPictureSize::devicePixelRatio)
        .field("screenWidth", &WebPictureSize::screenWidth)
        .field("screenHeight", &WebPictureSize::screenHeight);

    class_<ViewerModel>("ViewerModel")
        .function("sceneIndex", &ViewerModel::sceneIndex)
        .function("title", &ViewerModel::title)
        .function("hasParameter", &ViewerModel::hasParameter)
        .function("parameterLabel", &ViewerModel::parameterLabel)
        .function("parameter", &parameterOf)
        .function("phase", &ViewerModel::phase)
        .function("controls", &ViewerModel::controls)
        .function("isCapturing", &ViewerModel::isCapturing)
        .function("isPlaying", &ViewerModel::isPlaying)
        .function("frameCountChoice", &ViewerModel::frameCountChoice)
        .function("speed", &ViewerModel::speed)
        .function("lastFrame", &ViewerModel::lastFrame)
        .function("frameNo", &ViewerModel::frameNo)
        .function("shownFrame", &ViewerModel::shownFrame)
        .function("frameReadout", &ViewerModel::frameReadout)
        .function("pictureName", &ViewerModel::pictureName)
        .function("worksheetTitle", &ViewerModel::worksheetTitle)
        .function("saveFileStem", &ViewerModel::saveFileStem)
        .function("commandForKey", &ViewerModel::commandForKey)
        .function("chooseFrameCount", &ViewerModel::chooseFrameCount)
        .function("pressDraw", &ViewerModel::pressDraw)
        .function("pressPlay", &ViewerModel::pressPlay)
        .function("pressPause", &ViewerModel::pressPause)
        .function("pressStep", &ViewerModel::pressStep)
        .function("stepBack", &ViewerModel::stepBack)
        .function("pressEnd", &ViewerModel::pressEnd)
        .function("setSpeed", &ViewerModel::setSpeed)
        .function("setParameter", &ViewerModel::setParameter)
        .function("captureNextFrame", &ViewerModel::captureNextFrame);

    class_<WebViewer>("WebViewer")
        .function("model", &WebViewer::model, allow_raw_pointers())
        .function("resize", &WebViewer::resize)
        .function("clockFired", &WebViewer::clockFired)
        .function("deviceWidth", &WebViewer::deviceWidth)
        .function("deviceHeight", &WebViewer::deviceHeight);
    function("createViewer", &createViewer, allow_raw_pointers());

    class_<WebFrameStore>("WebFrameStore")
        .constructor<>()
        .function("allocate", &WebFrameStore::allocate)
        .function("pixels", &WebFrameStore::pixels)
        .function("pack", &WebFrameStore::pack)
        .function("unpack", &WebFrameStore::unpack)
        .function("holds", &WebFrameStore::holds)
        .function("count", &WebFrameStore::count)
        .function("allStored", &WebFrameStore::allStored)
        .function("packedBytes", &WebFrameStore::packedBytes)
        .function("release", &WebFrameStore::release)
        .function("dispose", &WebFrameStore::dispose);

    function("repeatsWhenHeld", &RepeatsWhenHeld);
    function("menuLayout", &menuLayout);
    function("worksheetContent", &WorksheetContent);
    function("drawWorksheetPeriod", &DrawWorksheetPeriod);
    function("menuCaption", &menuCaption);
    function("sceneTitle", &SceneTitle);
    function("parameterName", &ParameterName);
    function("sceneCount", optional_override([] { return kSceneCount; }));
}

}  // namespace kelvora
