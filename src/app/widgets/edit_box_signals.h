#pragma once
// A window that reacts to its text boxes losing the focus must stop
// listening before it is torn down: hiding a window on destruction moves
// the focus out of its box, and the box's editingFinished would then call
// into a window whose own part is already destroyed.

class QWidget;

namespace mk::app {

// Disconnects every text box below window from window's handlers. Call it
// first thing in the destructor of such a window.
void DisconnectEditBoxes(QWidget* window);

}  // namespace mk::app
