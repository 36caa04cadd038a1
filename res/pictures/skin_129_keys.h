// Where the keys lie on skin 129 (skin_129.bmp), in the skin's pixels. Written by
// make_pictures.py from the measures it draws the keys with; change them there and run it
// again, which draws the skin and writes this file anew.
#pragma once

namespace skin129 {

// A round key: its centre, the radius of its face (what sinks when it is pressed) and the
// radius of its recess in the shell (where a press counts as a press of the key).
struct RoundKey {
    double x;
    double y;
    double face;
    double recess;
};

inline constexpr RoundKey kBook{56, 482, 14, 16.2};
inline constexpr RoundKey kSpeaker{104, 495, 14, 16.2};
inline constexpr RoundKey kGlobe{227, 495, 14, 16.2};
inline constexpr RoundKey kInfo{275, 482, 14, 16.2};
// The direction pad: its disc, whose ring outside the centre key the diagonals split into
// the up, down, left and right arrows; and the centre key, whose recess is the dark ring
// between it and the arrows.
inline constexpr RoundKey kPad{165.5, 489, 25, 27.5};
inline constexpr RoundKey kPadCentre{165.5, 489, 9.3, 10.5};

}  // namespace skin129
