// Whether the bytes of a picture file (an icon, a cursor or an animated
// cursor) hold all they say they do, read before the system's loader sees
// them: a loader given a frame cut short may read past the end of the file.
// Works on bytes alone, so it is tested on the host and fuzzed.
#pragma once

#include <cstddef>

// Lists inside lists deeper than this make a file damaged: an animated
// cursor nests one list of frames in its RIFF form, and the walk keeps one
// place per open list, not one call per list, however the file is made.
constexpr int PICTURE_MOST_NESTED_LISTS = 16;

// An icon or cursor file (a directory of images), or a RIFF file whose
// chunks, lists and frames ("icon" chunks, each a cursor file) all lie
// inside their parents, with every directory's images inside its frame.
// False for anything cut short, sized past its end or nested too deep.
bool picture_file_is_whole(const unsigned char* data, std::size_t size);
