#include "app/Wait.h"

#include "platform/Runtime.h"

namespace qv {

void Pause(double seconds) {
    platform::Wait(seconds);
}

}  // namespace qv
