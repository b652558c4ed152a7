// The known picture the end-to-end tests put on the screen: every pixel tells its place, so a
// crop can be checked pixel by pixel without a reference file.
#pragma once

#include <cstdint>

namespace textorin::testing {

struct Rgb {
    std::uint8_t r, g, b;
};

inline Rgb pattern_pixel(int x, int y) {
    return {static_cast<std::uint8_t>(((x >> 8) & 15) | ((y >> 8) & 15) << 4),
            static_cast<std::uint8_t>(y & 255), static_cast<std::uint8_t>(x & 255)};
}

}  // namespace textorin::testing
