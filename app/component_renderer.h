// Renders a library component's two drawings to picture files, exactly as the editor's
// views draw them: the component is opened in a component frame on a design loaded
// from the library, without a screen, and each view renders its client area.
#pragma once

#include <cstdio>

#include "platform/cstring.h"
#include "platform/types.h"

struct RenderRequest {
  CString library;    // the component library file
  CString component;  // compared ignoring case
  CString package;    // empty: the component's first package
  CString outputDirectory;
  // The editor window the drawings are laid out in, in pixels; each drawing takes its
  // part of it as on the screen.
  CSize windowSize{kDefaultRenderWidth, kDefaultRenderHeight};

  static constexpr int kDefaultRenderWidth = 1200;
  static constexpr int kDefaultRenderHeight = 800;
  static constexpr int kMinRenderSide = 200;
  static constexpr int kMaxRenderSide = 10000;
};

// Reads "WIDTHxHEIGHT" (1600x1000), each side kMinRenderSide to kMaxRenderSide pixels;
// false, with a message naming the text, otherwise.
bool ParseRenderSize(const char* text, CSize& size, CString& error);

// Writes <component>-<package>-schematic.svg and -pcb.svg into the output directory,
// and a PNG beside each when an SVG converter (rsvg-convert) is on the PATH. Progress
// goes to `out`, problems to standard error. Returns 0 on success; 1 when the library,
// component or package is missing, a file cannot be written, or the editor reported a
// problem while drawing (the pictures are written all the same).
int RenderComponent(const RenderRequest& request, std::FILE* out);
