#include "support/trace_reader.h"

#include "canvas/canvas.h"
#include "canvas/trace_surface.h"
#include "scenes/scene_catalogue.h"

#include <sstream>

namespace kelvora::test {

namespace {

bool isColor(const std::string& word) { return !word.empty() && word[0] == '#'; }

TraceOp parseLine(const std::string& line)
{
    TraceOp op;
    std::istringstream in(line);
    in >> op.kind;
    if (op.kind == "print") {
        for (int i = 0; i < 3; ++i) {
            double v = 0;
            in >> v;
            op.nums.push_back(v);
        }
        std::string rest;
        std::getline(in, rest);
        op.text = rest.empty() ? rest : rest.substr(1);  // one separating space
        return op;
    }
    std::string word;
    while (in >> word) {
        if (isColor(word) || word == "none") {
            // The first colour is the line / outline colour; a circle's
            // second one is its fill.
            (op.color.empty() ? op.color : op.fill) = word;
        } else if (word == "solid" || word == "dotted") {
            op.style = word;
        } else if (!op.color.empty()) {
            op.width = std::stoi(word);
        } else {
            op.nums.push_back(std::stod(word));
        }
    }
    return op;
}

}  // namespace

std::vector<TraceOp> ParseTrace(const std::string& trace)
{
    std::vector<TraceOp> ops;
    std::istringstream in(trace);
    std::string line;
    while (std::getline(in, line))
        if (!line.empty())
            ops.push_back(parseLine(line));
    return ops;
}

std::string TraceFrameText(int sceneIndex, int frameNo, SceneContext context)
{
    TraceSurface trace;
    Canvas canvas(trace, 960, 600);
    for (std::int16_t k = 0; k <= frameNo;) {
        std::int16_t frame = k;
        trace.setRecording(false);
        canvas.Cls();
        trace.setRecording(k == frameNo);
        DispatchDrawFrame(sceneIndex, canvas, frame, context);
        k = static_cast<std::int16_t>(k + 1);
    }
    return trace.text();
}

std::vector<TraceOp> TraceFrame(int sceneIndex, int frameNo, SceneContext context)
{
    return ParseTrace(TraceFrameText(sceneIndex, frameNo, context));
}

std::vector<TraceOp> OpsOfKind(const std::vector<TraceOp>& ops, const std::string& kind)
{
    std::vector<TraceOp> out;
    for (const TraceOp& op : ops)
        if (op.kind == kind)
            out.push_back(op);
    return out;
}

SceneContext MakeContext(int frames, int screenWidth, int screenHeight)
{
    SceneContext context;
    context.lastFrame = static_cast<std::int16_t>(frames - 1);
    context.screenWidth = screenWidth;
    context.screenHeight = screenHeight;
    return context;
}

}  // namespace kelvora::test
