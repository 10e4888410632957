// The forms were laid out in twips; 15 twips are one logical pixel.
#pragma once

#include "startup/app_info.h"

namespace pellandor {

constexpr int twips(int value) {
    return (value + 7) / 15;
}

// A spacing of the own message and input boxes, in twips at their layout
// factor, as pixels.
constexpr int dialog_twips(int value) {
    return twips(static_cast<int>(static_cast<float>(value) * dialog_scale + 0.5F));
}

// A control's place on its form, in twips.
struct twips_rect {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;

    bool operator==(const twips_rect&) const = default;
};

} // namespace pellandor
