// Feeds kelvora-render's parser arbitrary command lines: the input's bytes,
// split at NUL into arguments. Whatever it is given, the parser returns
// either options inside their ranges and the rules that tie them, or one
// line of UTF-8 error (MessageLine leaves it as it is).
//
//   scripts/fuzz SECONDS   builds this in build-fuzz/ with clang and runs it

#include "message_line.h"
#include "render_options.h"

#include "scenes/scene_catalogue.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

using kelvora::render::OutputMode;
using kelvora::render::ParsedCommandLine;
using kelvora::render::RenderOptions;

void require(bool condition)
{
    if (!condition)
        std::abort();
}

bool inSide(int side) { return side >= 1 && side <= kelvora::render::kMaxSide; }

void checkOptions(const RenderOptions& o)
{
    require(o.scene >= 0 && o.scene < kelvora::kSceneCount);
    require(o.frames == 12 || o.frames == 24);
    require(o.frame >= 0 && o.frame < o.frames);
    require(inSide(o.size.width) && inSide(o.size.height));
    require(inSide(o.screen.width) && inSide(o.screen.height));
    require(o.delayMs >= 0 && o.delayMs <= kelvora::render::kMaxDelayMs);
    require(o.mode == OutputMode::Trace ? o.output.empty() : !o.output.empty());
    require(!o.allFrames || kelvora::render::AllFramesApply(o.mode));
    require(o.scale >= 1.0 && o.scale <= kelvora::render::kMaxScale);
    require(o.mode != OutputMode::Trace || o.scale == 1.0);
    require(!o.allParameterValues || (o.mode == OutputMode::Sheet && kelvora::ParameterSetupFor(o.scene)));
    if (o.mode == OutputMode::Sheet) {
        const std::string suffix = o.output.substr(o.output.size() - std::min<std::size_t>(4, o.output.size()));
        require(suffix.size() == 4 && suffix[0] == '.' && (suffix[1] | 0x20) == 'p' && (suffix[2] | 0x20) == 'd'
            && (suffix[3] | 0x20) == 'f');
    }
    if (const auto setup = kelvora::ParameterSetupFor(o.scene))
        require(o.param >= setup->min && o.param <= setup->max);
    else
        require(o.param == 1);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    std::vector<std::string> arguments(1);
    for (std::size_t i = 0; i < size; ++i) {
        if (data[i] == 0)
            arguments.emplace_back();
        else
            arguments.back().push_back(static_cast<char>(data[i]));
    }
    const ParsedCommandLine parsed = kelvora::render::ParseRenderArguments(arguments);
    switch (parsed.action) {
    case ParsedCommandLine::Action::Render: checkOptions(parsed.options); break;
    case ParsedCommandLine::Action::Error:
        require(!parsed.error.empty() && parsed.error == kelvora::render::MessageLine(parsed.error));
        break;
    case ParsedCommandLine::Action::Help: break;
    case ParsedCommandLine::Action::Version: break;
    }
    return 0;
}
