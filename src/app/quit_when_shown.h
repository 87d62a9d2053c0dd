#pragma once

namespace kelvora {

// With KELVORA_QUIT_WHEN_SHOWN set, the program ends as soon as its first
// window has been painted: start-up time can then be timed from outside.
void QuitWhenShownIfAsked();

}  // namespace kelvora
