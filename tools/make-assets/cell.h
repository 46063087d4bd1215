// Sprite sheets of square cells, each painted by a shader and faded to transparent black at its border.
#pragma once

#include <cstdint>
#include <functional>

#include "image.h"
#include "noise.h"

namespace assets {

// Where a shader is asked for colour: x right and y up, both -1 to 1 from a cell's border pixel centres
// to the opposite ones; r = hypot(x, y); index counts the cells left to right, then top to bottom.
struct CellPoint {
    float x, y, r;
    int index;
};

using CellShader = std::function<Rgba(const CellPoint&)>;

// A sheet of across x down cells of cell_size pixels each. Whatever the shader returns is scaled
// towards zero near r = 1 and is exactly zero from r = 1 outwards, so every cell's border pixels are
// transparent black and no square edge can show, whatever the blending.
Image render_sheet(int across, int down, int cell_size, const CellShader& shade);

// A billowy puff: fractal density shaped into a round blob whose outline the noise frays.
struct PuffShape {
    float radius;    // where the density has faded out, in cell units (r)
    float softness;  // width of the fade at the outline
    float scale;     // noise frequency across the cell
    float warp;      // how far the noise is pushed around by noise of its own
    float fray;      // how much the noise moves the outline
    float contrast;  // how much the noise varies the density inside
    int octaves;
};

// Density in [0, 1] of the puff whose noise is `noise`, at p.
float puff_density(const CellPoint& p, const Noise& noise, const PuffShape& shape);

// A seed for cell `index` of the sheet `sheet_seed`, so that no two cells look alike.
inline uint32_t cell_seed(uint32_t sheet_seed, int index) {
    return hash32(sheet_seed, index, 0x5EED);
}

}  // namespace assets
