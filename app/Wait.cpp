#include "app/Wait.h"

#include "platform/Runtime.h"

namespace qv {

void Pause(double seconds) {
    vb::Wait(seconds);
}

}  // namespace qv
