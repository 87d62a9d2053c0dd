#include "app/shared_state.h"

namespace kelvora {

SharedState& Shared()
{
    static SharedState state;
    return state;
}

}  // namespace kelvora
