#pragma once
// Which command of TForm1 each control, menu item and timer runs, by name.
#include <string>

class TForm1;
using TCommand = void (TForm1::*)();

// Each returns nullptr when the named control runs no command of TForm1.
TCommand ButtonCommand(const std::string& name);
TCommand CheckBoxCommand(const std::string& name);
TCommand MenuCommand(const std::string& name);
TCommand TimerCommand(const std::string& name);
