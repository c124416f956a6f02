// The picture of a filled disc (an ellipse filling its box) in one colour, with edges
// smoothed by the share of each pixel the disc covers.
#pragma once

#include <wx/colour.h>
#include <wx/image.h>

wxImage MakeDiscPicture(int width, int height, const wxColour& colour);
