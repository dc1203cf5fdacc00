// Supersampled drawing. Every picture is a scene: a function that says, for
// a point in pixel coordinates, whether something covers it and in which
// colour. Averaging a grid of such samples per pixel smooths the edges
// without any drawing library whose output might change between versions.
#pragma once

#include <cstddef>
#include <vector>

#include "colour.h"

// A drawn picture: straight (not premultiplied) colour and coverage per
// pixel, rows top-down.
struct picture {
  int width = 0;
  int height = 0;
  std::vector<rgb> colour;
  std::vector<double> coverage;
};

inline std::size_t pixel_index(const picture& p, int x, int row) {
  return static_cast<std::size_t>(row * p.width + x);
}

// Averages size x size samples per pixel. The scene, a callable
// bool(double x, double y, rgb& out), gives the colour at a point and
// whether the point is covered; an opaque scene covers every point.
template <typename Scene>
picture render(int width, int height, int size, Scene scene) {
  picture out;
  out.width = width;
  out.height = height;
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      rgb sum = {0, 0, 0};
      int covered = 0;
      for (int sy = 0; sy < size; ++sy) {
        for (int sx = 0; sx < size; ++sx) {
          rgb c = {0, 0, 0};
          if (scene(x + (sx + 0.5) / size, y + (sy + 0.5) / size, c)) {
            sum = add(sum, c);
            ++covered;
          }
        }
      }
      out.colour.push_back(covered > 0 ? scale(sum, 1.0 / covered) : rgb{0, 0, 0});
      out.coverage.push_back(static_cast<double>(covered) / (size * size));
    }
  }
  return out;
}
