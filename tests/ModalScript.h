// Plays the user's part in the game's modal windows without a nested event loop: each modal
// display runs the next step of the script, which acts on the window (clicks, types, closes).
// A display with no step left is only closed. Installed for the lifetime of the object.
#pragma once

#include <QStringList>
#include <deque>
#include <functional>

#include "platform/Dialog.h"

namespace qvtest {

class ModalScript {
  public:
    using Step = std::function<void(vb::Dialog&)>;
    ModalScript() {
        previous_ = vb::SetModalHook([this](vb::Dialog& dialog) {
            shown << dialog.windowTitle();
            if (steps_.empty())
                return;
            Step step = std::move(steps_.front());
            steps_.pop_front();
            step(dialog);
        });
    }
    ~ModalScript() { vb::SetModalHook(std::move(previous_)); }

    void Then(Step step) { steps_.push_back(std::move(step)); }
    std::size_t StepsLeft() const { return steps_.size(); }
    QStringList shown;  // titles of the windows shown modally, in order

  private:
    std::deque<Step> steps_;
    vb::ModalHook previous_;
};

}  // namespace qvtest
