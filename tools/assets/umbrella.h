// The umbrella that the splash picture, the two umbrella icons and the
// animated cursor all show: a scalloped dome canopy in panels of two
// colours, a shaft with a ferrule on top, and a J-shaped hook. One
// parametric drawing serves every size and every cursor frame.
#pragma once

#include <vector>

#include "colour.h"

struct umbrella {
  double cx;            // shaft axis
  double apex_y;        // top of the canopy
  double half_width;    // canopy half width at the rim
  double height;        // apex to rim
  int panels;           // panels around the whole canopy (half face the viewer)
  double phase;         // turn of the canopy about the shaft, radians
  double scallop;       // how far the rim bows up between rib tips, pixels
  double rib_width;     // pixels; 0 for none
  double shaft_bottom;  // where the straight shaft turns into the hook
  double shaft_width;
  double hook_radius;
  double handle_width;
  double tip_height;  // the ferrule above the apex
  double outline;     // dark outline width, pixels; 0 for none
  rgb panel_a, panel_b, rib, shaft, handle, outline_colour;
};

// An umbrella in the house colours (red and cream panels, wine-red ribs,
// steel shaft, wooden handle, near-black outline) with its geometry all 0:
// the caller sets the shape for its picture.
umbrella house_umbrella();

// Rib tips facing the viewer, as canopy x fractions from -1 to 1, with the
// silhouette edges as the outermost tips. They depend on the panels and the
// phase only, so a drawing computes them once and passes them to every
// sample.
std::vector<double> rib_tips(const umbrella& u);

// Whether the umbrella covers (x, y), and its colour there in `out`.
bool umbrella_colour(const umbrella& u, const std::vector<double>& tips, double x, double y,
                     rgb& out);

// The canopy's top surface at x (ignoring the scallops), or a large value
// outside the canopy's span: what rain stops on.
double canopy_top(const umbrella& u, double x);
