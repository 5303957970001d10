#pragma once

// The image copies of the "Co&pier" menu.
namespace ondalis {

class DrawingSurface;

// Empties the clipboard, then puts the surface's persistent image on it as a bitmap: what was
// last drawn there, with the display options that shaped it. The status line is not touched.
void copySurfaceImage(const DrawingSurface& surface);

}  // namespace ondalis
