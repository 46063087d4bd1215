// make-assets OUTDIR: writes every image the programs read into OUTDIR, the same bytes on every run.
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "assets.h"
#include "bmp_writer.h"
#include "tga_writer.h"

namespace {

bool write_file(const std::string& path, const std::vector<uint8_t>& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    out.close();
    if (!out) {
        std::fprintf(stderr, "make-assets: cannot write %s\n", path.c_str());
        return false;
    }
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: make-assets OUTDIR\n");
        return 2;
    }
    using assets::TgaEncoding;
    const std::string dir = std::string(argv[1]) + "/";
    const bool ok =
        write_file(dir + "Floor01.bmp", assets::encode_bmp(assets::make_floor())) &&
        write_file(dir + "flare01.tga", encode_tga(assets::make_flare(), TgaEncoding::uncompressed)) &&
        write_file(dir + "CloudsParticles4.tga", encode_tga(assets::make_vapour(), TgaEncoding::run_length)) &&
        write_file(dir + "ExplosionParticles.tga", encode_tga(assets::make_fire(), TgaEncoding::run_length)) &&
        write_file(dir + "CloudsParticles3.tga", encode_tga(assets::make_smoke(), TgaEncoding::run_length));
    return ok ? 0 : 1;
}
