// Bitmap objects: BMP files read by SDL, converted and flipped into the layout Windows gives a
// device-independent section, kept in a handle table.
#include "platform/gdi.h"

#include <SDL.h>

#include <cstring>
#include <memory>
#include <vector>

#include "platform/handles.h"

namespace platform {
namespace {

struct Bitmap {
    int32_t width = 0;
    int32_t height = 0;
    int32_t width_bytes = 0;
    uint16_t bits_pixel = 0;
    std::vector<uint8_t> bits;  // bottom row first
};

HandleTable<Bitmap, HandleKind::Bitmap>& bitmaps() {
    static HandleTable<Bitmap, HandleKind::Bitmap> table;
    return table;
}

// No bitmap this system draws comes near 8192 x 8192 pixels.
constexpr uint64_t max_pixels = uint64_t{8192} * 8192;

uint32_t little_endian(const uint8_t* bytes, int count) {
    uint32_t value = 0;
    for (int i = count - 1; i >= 0; --i) value = value << 8 | bytes[i];
    return value;
}

uint64_t magnitude(uint32_t raw) {
    const int64_t value = static_cast<int32_t>(raw);
    return static_cast<uint64_t>(value < 0 ? -value : value);
}

// Headers can claim far more pixels than the file holds, and SDL allocates and clears them all before it
// finds the file short. So refuse, from the headers at the start of `file`, sizes over the cap and
// uncompressed rows that cannot all be in the file; anything else wrong is SDL's to find. Rewinds `file`.
bool plausible_size(SDL_RWops* file) {
    uint8_t header[34] = {};
    const size_t got = SDL_RWread(file, header, 1, sizeof header);
    const Sint64 file_size = SDL_RWsize(file);
    SDL_RWseek(file, 0, RW_SEEK_SET);
    // A file cut short inside its own headers holds no picture; SDL would read what is missing as zeros.
    if (got < 18) return false;
    const bool core = little_endian(header + 14, 4) == 12;
    if (got < (core ? 26u : sizeof header)) return false;
    const uint64_t width = core ? little_endian(header + 18, 2) : magnitude(little_endian(header + 18, 4));
    const uint64_t height = core ? little_endian(header + 20, 2) : magnitude(little_endian(header + 22, 4));
    const uint64_t depth = little_endian(header + (core ? 24 : 28), 2);
    const uint32_t compression = core ? 0 : little_endian(header + 30, 4);
    if (width * height > max_pixels) return false;
    const bool uncompressed = compression == 0 || compression == 3 || compression == 6;  // plain or bit fields
    if (!uncompressed || width == 0 || height == 0) return true;
    const uint64_t row_bytes = (width * depth + 31) / 32 * 4;
    const uint64_t last_row = (width * depth + 7) / 8;
    return (height - 1) * row_bytes + last_row <= static_cast<uint64_t>(file_size);
}

SDL_Surface* read_bmp(const char* name) {
    SDL_RWops* file = SDL_RWFromFile(name, "rb");
    if (!file) return nullptr;
    if (!plausible_size(file)) {
        SDL_RWclose(file);
        return nullptr;
    }
    return SDL_LoadBMP_RW(file, 1);
}

// The picture in the format the bitmap keeps, taking ownership of `loaded`; surfaces are released as soon
// as they are copied, so a large picture is never held three times over.
SDL_Surface* in_format(SDL_Surface* loaded, Uint32 format) {
    if (loaded->format->format == format) return loaded;
    SDL_Surface* converted = SDL_ConvertSurfaceFormat(loaded, format, 0);
    SDL_FreeSurface(loaded);
    return converted;
}

// SDL surfaces are top-down with a pitch of SDL's choosing; a DIB section is bottom-up with rows
// padded to 4 bytes. Takes ownership of `loaded`.
std::unique_ptr<Bitmap> to_dib(SDL_Surface* loaded) {
    const bool has_x = loaded->format->BitsPerPixel == 32;
    SDL_Surface* picture = in_format(loaded, has_x ? SDL_PIXELFORMAT_BGRA32 : SDL_PIXELFORMAT_BGR24);
    if (!picture) return nullptr;
    auto bitmap = std::make_unique<Bitmap>();
    bitmap->width = picture->w;
    bitmap->height = picture->h;
    bitmap->bits_pixel = has_x ? 32 : 24;
    const size_t row_bytes = static_cast<size_t>(picture->w) * (has_x ? 4 : 3);
    bitmap->width_bytes = static_cast<int32_t>((row_bytes + 3) / 4 * 4);
    bitmap->bits.assign(static_cast<size_t>(bitmap->width_bytes) * picture->h, 0);
    SDL_LockSurface(picture);
    for (int32_t row = 0; row < picture->h; ++row) {
        const auto* source = static_cast<const uint8_t*>(picture->pixels) + static_cast<size_t>(row) * picture->pitch;
        const size_t target_row = static_cast<size_t>(picture->h - 1 - row);
        std::memcpy(bitmap->bits.data() + target_row * bitmap->width_bytes, source, row_bytes);
    }
    SDL_UnlockSurface(picture);
    SDL_FreeSurface(picture);
    return bitmap;
}

}  // namespace

HBITMAP load_image(HINSTANCE /*instance*/, const char* name, uint32_t type, int32_t cx, int32_t cy, uint32_t flags) {
    if (!name || type != IMAGE_BITMAP || !(flags & LR_LOADFROMFILE) || cx != 0 || cy != 0) return 0;
    SDL_Surface* loaded = read_bmp(name);
    if (!loaded) return 0;
    std::unique_ptr<Bitmap> bitmap = to_dib(loaded);
    return bitmap ? bitmaps().add(std::move(bitmap)) : 0;
}

int32_t get_object(HGDIOBJ object, int32_t size, void* out) {
    Bitmap* bitmap = bitmaps().get(object);
    if (!bitmap) return 0;
    constexpr auto record_size = static_cast<int32_t>(sizeof(BITMAP));
    if (!out) return record_size;
    if (size < record_size) return 0;
    BITMAP record = {};
    record.bmWidth = bitmap->width;
    record.bmHeight = bitmap->height;
    record.bmWidthBytes = bitmap->width_bytes;
    record.bmPlanes = 1;
    record.bmBitsPixel = bitmap->bits_pixel;
    record.bmBits = bitmap->bits.data();
    std::memcpy(out, &record, sizeof record);
    return record_size;
}

bool delete_object(HGDIOBJ object) {
    switch (handle_kind(object)) {
        case HandleKind::Bitmap:
            return bitmaps().remove(object) != nullptr;
        default:
            return false;
    }
}

}  // namespace platform
