// The five pictures the programs read, each from its own generator.
#pragma once

#include "image.h"

namespace assets {

Image make_floor();   // 256 x 256 stone tiles, seamless
Image make_flare();   // 128 x 128 flash
Image make_vapour();  // 512 x 256, 8 x 4 cells of vapour wisps
Image make_fire();    // 512 x 64, a strip of 8 fireballs
Image make_smoke();   // 256 x 256, 4 x 4 cells of smoke puffs

}  // namespace assets
