// GridTextRenderer: draws a grid cell's text as wx's string renderer does (background,
// colours and font of the cell, aligned within a one-pixel margin, clipped to the cell),
// but measures each text once per font. Measuring lays the text out again on every
// repaint otherwise, and a repaint of the visible cells spent more time measuring than
// drawing.
#pragma once

#include <wx/grid.h>

wxGridCellRenderer* MakeGridTextRenderer();
