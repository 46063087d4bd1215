// Textures from TGA and BMP files, the BMP slot table and texture selection.
#pragma once

#include <cstdint>

namespace corvel {

void TEXTURELOADTGAID(const char* TGAFILE, uint32_t& TEXTURE);
void TEXTURELOADID(const char* BMPFILE, int32_t NUM);
void TEXTURESELECTID(int32_t NUM);
int32_t GETBMPDEPTH(const char* BMPFILE);
void SWAPRGB(uint8_t* DATA, int32_t SIZE);
void ADDMIPMAPSTEXTURE(int32_t FORMAT, int32_t WIDTH, int32_t HEIGHT, const void* BITS);

}  // namespace corvel
