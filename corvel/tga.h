// The TGA reader: uncompressed (type 2) and run-length-encoded (type 10) true-colour images.
#pragma once

#include "corvel/types.h"

namespace corvel {

bool LOADTGA(TGATEXTURE& TEXTURE, const char* FILENAME);
bool LOADUNCOMPRESSEDTGA(TGATEXTURE& TEXTURE, const char* FILENAME);
bool LOADCOMPRESSEDTGA(TGATEXTURE& TEXTURE, const char* FILENAME);

}  // namespace corvel
