#pragma once
// The "Web" page's own buttons: what a left click and a right-button press
// do on each. (Preview runs the "Просмотр" menu's command instead.)

#include <string_view>

#include "ui/commands/command_table.h"

class QToolButton;

namespace kiv {

struct WebButton {
  const char* component;
  CommandHandler left;
  CommandHandler right;     // nullptr: the right button does nothing
  bool shiftMeansRight;     // a press with Shift held runs the right action
};

const WebButton* findWebButton(std::string_view component);

// Connects the button's left click and right-button press to its actions.
void attachWebButton(MainWindow& main, QToolButton* button, const WebButton& actions);

}  // namespace kiv
