#pragma once

#include "canvas/runtime_error.h"

namespace kelvora {

// What a run-time error means, in Japanese, for the page's message.
const char* RuntimeErrorTextJa(ErrorNumber number);

}  // namespace kelvora
