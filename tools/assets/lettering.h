// Text in the pixel font, as a scene test: whether a line of text covers a
// point. Drawn either as the font's square pixels or, larger, with a round
// pen through the pixel centres so the scaled-up letters have smooth strokes.
#pragma once

// Width of the text in font pixels, with `spacing` between letters.
double text_width(const char* text, double spacing);

// Whether text set at (left, top), `scale_px` pixels per font pixel, covers
// the point (x, y). A pen of 0 draws the font's square pixels as they are;
// otherwise the pen's radius is in font pixels.
bool text_covers(const char* text, double left, double top, double scale_px, double spacing,
                 double pen, double x, double y);
