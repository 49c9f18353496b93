// zeb-gen-assets OUTDIR: writes the program's textures and sounds under OUTDIR/text and
// its icon under OUTDIR/icons (laid out as an icon theme wants it, for installing).
// The output is the same, byte for byte, on every run.

#include "bmp_writer.h"
#include "catalogue.h"
#include "icon.h"
#include "wav_writer.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <iterator>
#include <string>
#include <system_error>
#include <vector>

namespace {

bool report(bool ok, const std::string& path) {
    if (!ok)
        std::fprintf(stderr, "zeb-gen-assets: cannot write %s: %s\n", path.c_str(), std::strerror(errno ? errno : EIO));
    return ok;
}

bool write_picture(const PictureFile& file, const std::string& path) {
    const Picture picture = file.make();
    errno = 0;
    switch (file.format) {
    case PictureFormat::indexed8:
        return report(write_bmp8(path, picture, false), path);
    case PictureFormat::rle8:
        return report(write_bmp8(path, picture, true), path);
    case PictureFormat::rgb24:
        break;
    }
    return report(write_bmp24(path, picture), path);
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: zeb-gen-assets OUTDIR\n");
        return 2;
    }
    const std::string out = argv[1];
    const auto icon_dir = [&](int side) {
        return out + "/icons/hicolor/" + std::to_string(side) + "x" + std::to_string(side) + "/apps";
    };
    std::vector<std::string> folders = {out + "/text", out + "/text/ff"};
    for (int side : ICON_SIDES) folders.push_back(icon_dir(side));
    for (const std::string& folder : folders) {
        std::error_code error;
        std::filesystem::create_directories(folder, error);
        if (error) {
            std::fprintf(stderr, "zeb-gen-assets: cannot create %s: %s\n", folder.c_str(), error.message().c_str());
            return 1;
        }
    }
    static_assert(std::size(PICTURE_FILES) == 40, "every texture the program loads");
    for (const PictureFile& file : PICTURE_FILES)
        if (!write_picture(file, out + "/" + file.path)) return 1;
    for (const SoundFile& file : SOUND_FILES) {
        const Sound sound = file.make();
        const std::string path = out + "/" + file.path;
        errno = 0;
        if (!report(write_wav16(path, sound.samples, sound.sample_rate), path)) return 1;
    }
    for (int side : ICON_SIDES) {
        const std::string path = icon_dir(side) + "/zeb.png";
        errno = 0;
        if (!report(write_icon_png(path, draw_icon(side)), path)) return 1;
    }
    return 0;
}
