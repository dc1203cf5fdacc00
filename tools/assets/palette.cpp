#include "palette.h"

#include <algorithm>
#include <utility>

namespace {

// One distinct colour of the picture and how many pixels have it.
struct colour_count {
  std::uint32_t colour;
  std::uint32_t count;
};

// A run [begin, end) of the histogram: the colours of one palette entry.
struct box {
  std::size_t begin, end;
};

// The distinct colours in ascending order, with their pixel counts.
std::vector<colour_count> count_colours(const std::vector<std::uint32_t>& pixels) {
  std::vector<std::uint32_t> sorted = pixels;
  std::sort(sorted.begin(), sorted.end());
  std::vector<colour_count> histogram;
  for (std::uint32_t c : sorted) {
    if (!histogram.empty() && histogram.back().colour == c) {
      ++histogram.back().count;
    } else {
      histogram.push_back({c, 1});
    }
  }
  return histogram;
}

// The box most worth cutting, and the channel to cut it along (its widest):
// spread squared times pixel count, so large boxes of many pixels go first.
// False when no box has two colours left to part.
bool box_to_cut(const std::vector<colour_count>& histogram, const std::vector<box>& boxes,
                std::size_t& best, int& best_channel) {
  std::uint64_t best_score = 0;
  for (std::size_t i = 0; i < boxes.size(); ++i) {
    if (boxes[i].end - boxes[i].begin < 2) continue;
    unsigned low[3] = {255, 255, 255};
    unsigned high[3] = {0, 0, 0};
    std::uint64_t count = 0;
    for (std::size_t k = boxes[i].begin; k < boxes[i].end; ++k) {
      for (int ch = 0; ch < 3; ++ch) {
        low[ch] = std::min(low[ch], channel_of(histogram[k].colour, ch));
        high[ch] = std::max(high[ch], channel_of(histogram[k].colour, ch));
      }
      count += histogram[k].count;
    }
    int channel = 0;
    for (int ch = 1; ch < 3; ++ch) {
      if (high[ch] - low[ch] > high[channel] - low[channel]) channel = ch;
    }
    const std::uint64_t spread = high[channel] - low[channel];
    // + 1: a box of one grey level still beats no box at all.
    const std::uint64_t score = spread * spread * count + 1;
    if (score > best_score) {
      best_score = score;
      best = i;
      best_channel = channel;
    }
  }
  return best_score > 0;
}

// Sorts the box's colours along the channel (ties by colour, so the order
// is the same with any sort) and cuts it where half its pixels lie before;
// both halves keep at least one colour.
void cut_at_median(std::vector<colour_count>& histogram, std::vector<box>& boxes, std::size_t which,
                   int channel) {
  const box b = boxes[which];
  std::sort(histogram.begin() + static_cast<std::ptrdiff_t>(b.begin),
            histogram.begin() + static_cast<std::ptrdiff_t>(b.end),
            [channel](const colour_count& l, const colour_count& r) {
              const unsigned lc = channel_of(l.colour, channel);
              const unsigned rc = channel_of(r.colour, channel);
              return lc != rc ? lc < rc : l.colour < r.colour;
            });
  std::uint64_t total = 0;
  for (std::size_t k = b.begin; k < b.end; ++k) total += histogram[k].count;
  std::uint64_t running = 0;
  std::size_t cut = b.begin + 1;
  for (std::size_t k = b.begin; k + 1 < b.end; ++k) {
    running += histogram[k].count;
    cut = k + 1;
    if (2 * running >= total) break;
  }
  boxes[which] = {b.begin, cut};
  boxes.push_back({cut, b.end});
}

// The pixel-weighted mean of the box's colours, each channel rounded.
std::uint32_t mean_colour(const std::vector<colour_count>& histogram, const box& b) {
  std::uint64_t sum[3] = {0, 0, 0};
  std::uint64_t count = 0;
  for (std::size_t k = b.begin; k < b.end; ++k) {
    for (int ch = 0; ch < 3; ++ch)
      sum[ch] += channel_of(histogram[k].colour, ch) * std::uint64_t{histogram[k].count};
    count += histogram[k].count;
  }
  std::uint32_t colour = 0;
  for (int ch = 0; ch < 3; ++ch) {
    colour = (colour << 8) | static_cast<std::uint32_t>((sum[ch] + count / 2) / count);
  }
  return colour;
}

// Luma in thousandths (ITU-R BT.601 weights), in whole numbers.
unsigned brightness(std::uint32_t c) {
  return 299 * channel_of(c, 0) + 587 * channel_of(c, 1) + 114 * channel_of(c, 2);
}

std::uint32_t colour_distance(std::uint32_t a, const rgb& c) {
  std::uint32_t d = 0;
  const double channels[3] = {c.r, c.g, c.b};
  for (int ch = 0; ch < 3; ++ch) {
    const int diff =
        static_cast<int>(channel_of(a, ch)) - static_cast<int>(channel_byte(channels[ch]));
    d += static_cast<std::uint32_t>(diff * diff);
  }
  return d;
}

}  // namespace

palette_image reduce_colours(const std::vector<std::uint32_t>& pixels, std::size_t size) {
  std::vector<colour_count> histogram = count_colours(pixels);
  std::vector<box> boxes = {{0, histogram.size()}};
  while (boxes.size() < size) {
    std::size_t which = 0;
    int channel = 0;
    if (!box_to_cut(histogram, boxes, which, channel)) break;  // fewer colours than entries
    cut_at_median(histogram, boxes, which, channel);
  }

  struct entry {
    std::uint32_t colour;
    std::size_t box;
  };
  std::vector<entry> entries;
  for (std::size_t i = 0; i < boxes.size(); ++i) {
    entries.push_back({mean_colour(histogram, boxes[i]), i});
  }
  // Ties broken by colour, then box: one order whatever the sort.
  std::sort(entries.begin(), entries.end(), [](const entry& l, const entry& r) {
    const unsigned lb = brightness(l.colour);
    const unsigned rb = brightness(r.colour);
    if (lb != rb) return lb < rb;
    return l.colour != r.colour ? l.colour < r.colour : l.box < r.box;
  });

  // colour -> palette index, through the box that holds the colour.
  std::vector<std::pair<std::uint32_t, std::uint8_t>> lookup;
  palette_image out;
  for (std::size_t p = 0; p < entries.size(); ++p) {
    out.palette.push_back(entries[p].colour);
    const box& b = boxes[entries[p].box];
    for (std::size_t k = b.begin; k < b.end; ++k) {
      lookup.emplace_back(histogram[k].colour, static_cast<std::uint8_t>(p));
    }
  }
  std::sort(lookup.begin(), lookup.end());
  for (std::uint32_t c : pixels) {
    const auto it =
        std::lower_bound(lookup.begin(), lookup.end(), std::make_pair(c, std::uint8_t{0}));
    out.index.push_back(it->second);
  }
  return out;
}

unsigned nearest_entry(const std::vector<std::uint32_t>& palette, const rgb& c) {
  unsigned best = 0;
  std::uint32_t best_distance = 0xFFFFFFFFu;
  for (unsigned k = 0; k < palette.size(); ++k) {
    const std::uint32_t d = colour_distance(palette[k], c);
    if (d < best_distance) {
      best_distance = d;
      best = k;
    }
  }
  return best;
}
