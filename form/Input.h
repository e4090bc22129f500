#pragma once
// What the window passes on of the mouse and the keyboard: the mouse buttons,
// and the non-character keys it acts on (every other key is Other).
enum class TMouseButton { Left, Right, Middle };

enum class TKey {
  Other,
  Space,
  Enter,
  Backspace,
  Delete,
  Insert,
  Home,
  End,
  Left,
  Right,
  Up,
  Down,
  PageUp,
  PageDown
};
