// What the page sees of the C++ side: the viewer model itself (its controls,
// keys and actions, not a copy of its tables), the web host around it, the
// description of both windows (controls, layouts, the menu's arrow walk,
// the wheel, the worksheet), the store of packed frames and the scene
// catalogue.

#include "canvas/text_fonts.h"
#include "scenes/scene_catalogue.h"
#include "viewer_model/menu_description.h"
#include "viewer_model/scroll_wheel.h"
#include "viewer_model/save_choices.h"
#include "viewer_model/viewer_description.h"
#include "viewer_model/viewer_keys.h"
#include "viewer_model/viewer_model.h"
#include "web/web_canvas_backend.h"
#include "web/web_frame_store.h"
#include "web/web_viewer.h"
#include "web/worksheet_page.h"

#include <emscripten/bind.h>

#include <string>

namespace kelvora {

namespace {

using emscripten::val;

template <typename Rect>
val rect(const Rect& r)
{
    val out = val::object();
    out.set("left", r.left);
    out.set("top", r.top);
    out.set("width", r.width);
    out.set("height", r.height);
    return out;
}

const char* roleName(ControlRole role)
{
    switch (role) {
    case ControlRole::Button: return "button";
    case ControlRole::OptionButton: return "option";
    case ControlRole::ScrollBar: return "scrollbar";
    case ControlRole::TextBox: return "textbox";
    case ControlRole::Label: return "label";
    case ControlRole::Picture: return "picture";
    }
    return "label";
}

val controls(const std::vector<ControlDescription>& described)
{
    val out = val::array();
    for (const ControlDescription& c : described) {
        val control = val::object();
        control.set("name", c.name);
        control.set("designName", c.designName);
        control.set("role", std::string(roleName(c.role)));
        control.set("caption", c.caption);
        control.set("rect", rect(c.rect));
        // Relative to the window's text, so it grows with it.
        control.set("fontEm", c.font.points / kWindowFontPoints);
        control.set("fontColour", c.font.colour);
        control.set("tooltip", c.tooltip);
        control.set("accessibleName", c.accessibleName);
        control.set("accessibleDescription", c.accessibleDescription);
        control.set("min", c.range.min);
        control.set("max", c.range.max);
        control.set("smallChange", c.range.smallChange);
        control.set("largeChange", c.range.largeChange);
        control.set("initial", c.range.value);
        control.set("value", c.value);
        control.set("hidden", c.hidden);
        control.set("touchOnly", c.touchOnly);
        control.set("takesFocus", c.takesFocus());
        out.call<void>("push", control);
    }
    return out;
}

val rects(const std::vector<PixelRect>& places)
{
    val out = val::array();
    for (const PixelRect& r : places)
        out.call<void>("push", rect(r));
    return out;
}

// The viewer as the page builds it (its worksheet is printed): the
// controls in document order, which is the order of the Tab key and of a
// screen reader.
val describeViewer(int sceneIndex)
{
    const ViewerDescription d = DescribeViewer(sceneIndex, WorksheetMedium::Print);
    val out = val::object();
    out.set("windowCaption", d.windowCaption);
    out.set("background", d.background);
    out.set("disabledText", d.disabledText);
    out.set("pictureBackground", d.pictureBackground);
    out.set("initialFocus", d.initialFocus);
    out.set("controls", controls(d.controls));
    return out;
}

// The choices of the page's 保存 dialog, in the order offered: each
// caption and name (its button is "save-" + name).
val saveChoices(bool hasParameter)
{
    val out = val::array();
    for (const SaveChoice& choice : SaveChoices(hasParameter, WorksheetMedium::Print)) {
        val c = val::object();
        c.set("caption", choice.caption);
        c.set("name", choice.name);
        out.call<void>("push", c);
    }
    return out;
}

Pointer pointerOf(bool coarse) { return coarse ? Pointer::Coarse : Pointer::Fine; }

// A window's layout on a screen: the places in the order of its
// description's controls and whether each is shown with the pointer, how
// much its text grows and the area it scrolls over.
val windowLayout(const std::vector<ControlDescription>& controls, const WindowLayout& layout, Pointer pointer)
{
    val out = val::object();
    out.set("places", rects(layout.places));
    val shown = val::array();
    for (const ControlDescription& c : controls)
        shown.call<void>("push", ShownWith(c, pointer));
    out.set("shown", shown);
    out.set("textScale", layout.textScale);
    out.set("fontPoints", kWindowFontPoints * layout.textScale);
    out.set("contentWidth", layout.contentWidth);
    out.set("contentHeight", layout.contentHeight);
    out.set("reflowed", layout.reflowed);
    return out;
}

// Where the viewer's controls go in an area of the given size, with a
// finger (coarse) or a mouse as the pointer.
val layOutViewer(int sceneIndex, int width, int height, bool coarse)
{
    const ViewerDescription d = DescribeViewer(sceneIndex, WorksheetMedium::Print);
    return windowLayout(d.controls, LayOutViewer(d, width, height, pointerOf(coarse)), pointerOf(coarse));
}

// The picture box split for the probe: { frame, graph } in the box's pixels.
val layOutProbeBox(int width, int height, bool withGraph)
{
    const ProbeBoxLayout layout = LayOutProbeBox(width, height, withGraph);
    val out = val::object();
    out.set("frame", rect(layout.frame));
    out.set("graph", rect(layout.graph));
    return out;
}

val describeMenu()
{
    const MenuDescription d = DescribeMenu();
    val out = val::object();
    out.set("windowCaption", d.windowCaption);
    out.set("background", d.background);
    out.set("outerWidth", d.outerWidth);
    out.set("outerHeight", d.outerHeight);
    out.set("controls", controls(d.controls));
    return out;
}

val layOutMenu(int width, int height, bool coarse)
{
    const MenuDescription d = DescribeMenu();
    const WindowLayout layout = LayOutMenuOnScreen(d, width, height, pointerOf(coarse));
    val out = windowLayout(d.controls, layout, pointerOf(coarse));
    out.set("columns", MenuColumns(layout));
    return out;
}

// The scene to focus after an arrow key; focusedScene -1 when no scene
// button has the focus; columns as the menu's layout says.
int menuSceneAfterArrow(int focusedScene, MenuArrow arrow, int columns)
{
    return MenuSceneAfterArrow(focusedScene < 0 ? std::nullopt : std::optional<int>(focusedScene), arrow, columns);
}

std::string menuCaption(int sceneIndex)
{
    const SceneInfo* scene = FindScene(sceneIndex);
    return scene ? scene->menuCaption : "";
}

ParameterControl parameterOf(const ViewerModel& model) { return model.parameter(); }

// The paint operations' codes by name, for the page's painter.
val paintOps()
{
    val out = val::object();
    out.set("Clear", static_cast<int>(PaintOp::Clear));
    out.set("Line", static_cast<int>(PaintOp::Line));
    out.set("Box", static_cast<int>(PaintOp::Box));
    out.set("Circle", static_cast<int>(PaintOp::Circle));
    out.set("Dot", static_cast<int>(PaintOp::Dot));
    out.set("Text", static_cast<int>(PaintOp::Text));
    out.set("Pixels", static_cast<int>(PaintOp::Pixels));
    return out;
}

val textFontFamilies()
{
    val out = val::array();
    for (std::string_view family : kTextFontFamilies)
        out.call<void>("push", std::string(family));
    return out;
}

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
        .value("Escape", ViewerKey::Escape)
        .value("ShiftRight", ViewerKey::ShiftRight)
        .value("ShiftLeft", ViewerKey::ShiftLeft)
        .value("ShiftUp", ViewerKey::ShiftUp)
        .value("ShiftDown", ViewerKey::ShiftDown);
    enum_<FocusKind>("FocusKind")
        .value("Picture", FocusKind::Picture)
        .value("Button", FocusKind::Button)
        .value("OptionButton", FocusKind::OptionButton)
        .value("ScrollBar", FocusKind::ScrollBar)
        .value("TextBox", FocusKind::TextBox);
    enum_<ScrollKey>("ScrollKey")
        .value("Left", ScrollKey::Left)
        .value("Right", ScrollKey::Right)
        .value("Up", ScrollKey::Up)
        .value("Down", ScrollKey::Down)
        .value("PageUp", ScrollKey::PageUp)
        .value("PageDown", ScrollKey::PageDown);
    enum_<KeyCommand>("KeyCommand")
        .value("None", KeyCommand::None)
        .value("Draw", KeyCommand::Draw)
        .value("Play", KeyCommand::Play)
        .value("Pause", KeyCommand::Pause)
        .value("Step", KeyCommand::Step)
        .value("StepBack", KeyCommand::StepBack)
        .value("End", KeyCommand::End)
        .value("ProbeRight", KeyCommand::ProbeRight)
        .value("ProbeLeft", KeyCommand::ProbeLeft)
        .value("ProbeUp", KeyCommand::ProbeUp)
        .value("ProbeDown", KeyCommand::ProbeDown)
        .value("ClearProbes", KeyCommand::ClearProbes);

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
        .function("pressEnd", &ViewerModel::pressEnd)
        .function("setSpeed", &ViewerModel::setSpeed)
        .function("setParameter", &ViewerModel::setParameter)
        .function("probeMarked", optional_override([](const ViewerModel& m) { return !m.probe().empty(); }))
        .function("probeDescription", &ViewerModel::probeDescription)
        .function("runCommand", &ViewerModel::runCommand);

    class_<WebViewer>("WebViewer")
        .function("model", &WebViewer::model, allow_raw_pointers())
        .function("resize", &WebViewer::resize)
        .function("clickPicture", &WebViewer::clickPicture)
        .function("setGraphSize", &WebViewer::setGraphSize)
        .function("drawProbedPicture", &WebViewer::drawProbedPicture)
        .function("probePlaces", &WebViewer::probePlaces)
        .function("clockFired", &WebViewer::clockFired)
        .function("drawNextFrame", &WebViewer::drawNextFrame)
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
    function("scrollBarKeyStep", &ScrollBarKeyStep);
    enum_<MenuArrow>("MenuArrow")
        .value("Right", MenuArrow::Right)
        .value("Left", MenuArrow::Left)
        .value("Down", MenuArrow::Down)
        .value("Up", MenuArrow::Up);
    class_<ScrollWheel>("ScrollWheel").constructor<>().function("turn", &ScrollWheel::turn);
    function("describeViewer", &describeViewer);
    function("saveChoices", &saveChoices);
    function("savedStatus", optional_override([](const std::string& fileName) { return SavedStatus(fileName); }));
    function("saveFailedStatus", optional_override([] { return std::string(kSaveFailedStatus); }));
    function("layOutViewer", &layOutViewer);
    function("describeMenu", &describeMenu);
    function("layOutMenu", &layOutMenu);
    function("layOutProbeBox", &layOutProbeBox);
    function("menuSceneAfterArrow", &menuSceneAfterArrow);
    function("worksheetPrintLayout", &WorksheetPrintLayout);
    function("worksheetContent", &WorksheetContent);
    function("drawWorksheetPeriod", &DrawWorksheetPeriod);
    function("menuCaption", &menuCaption);
    function("sceneTitle", &SceneTitle);
    function("parameterName", &ParameterName);
    function("paintOps", &paintOps);
    function("textFontFamilies", &textFontFamilies);
    function("sceneCount", optional_override([] { return kSceneCount; }));
}

}  // namespace kelvora
