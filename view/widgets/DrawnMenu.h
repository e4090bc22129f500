#pragma once
// Popup menus drawn by the program: every item a flat pale lavender cell of a
// fixed size with its caption 15 pixels in, separators a double olive and pale
// green rule, and no highlight for the item under the mouse.
class QMenu;

// Draws menu's items at this width (25 pixels high, separators 10).
void MakeDrawnMenu(QMenu* menu, int itemWidth);
