// GridTextRenderer: draws a grid cell's text as wx's string renderer does (background,
// colours and font of the cell, aligned within a one-pixel margin, clipped to the cell),
// but keeps the layouts of the texts drawn lately and measures them from those. Otherwise
// every repaint lays each text out twice (to measure it, then to draw it), and a repaint
// of the visible cells spent more time laying out than drawing.
#pragma once

#include <wx/grid.h>

wxGridCellRenderer* MakeGridTextRenderer();
