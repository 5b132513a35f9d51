// Draws the player's art and writes it as the files the player carries: three RLE8 bitmaps and two
// icons. Usage: player_art_generator OUTPUT_FOLDER [--preview PREVIEW_FOLDER [SCALE]]
// The preview writes enlarged PNG copies for looking at the art.
#include "Artwork.h"
#include "IconFile.h"
#include "Preview.h"
#include "Rle8Bmp.h"

#include <QDir>
#include <QSaveFile>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <vector>

namespace {

using namespace player::art;

struct ArtFile {
    const char* name;
    std::function<QByteArray(const QImage&)> encode;
    QImage image;
};

bool write_file(const QString& path, const QByteArray& bytes) {
    QSaveFile file(path); // written beside the target and renamed over it, never left half-written
    if (bytes.isEmpty() || !file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() ||
        !file.commit()) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
        return false;
    }
    return true;
}

bool write_preview(const QString& folder, const char* name, const QImage& image, int scale) {
    const QString path = QDir(folder).filePath(QString::fromLatin1(name) + ".png");
    if (!save_preview(image, path, scale)) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
        return false;
    }
    return true;
}

} // namespace

int main(int argc, char** argv) {
    const bool preview_args = (argc == 4 || argc == 5) && std::strcmp(argv[2], "--preview") == 0;
    if (argc != 2 && !preview_args) {
        std::fprintf(stderr, "usage: %s OUTPUT_FOLDER [--preview PREVIEW_FOLDER [SCALE]]\n", argv[0]);
        return 2;
    }
    const QString output = QString::fromLocal8Bit(argv[1]);
    const Canvas sheet = draw_sprite_sheet();
    const Canvas panel = draw_panel(sheet);
    const Canvas backdrop = draw_backdrop();
    const std::vector<ArtFile> files{
        {"panel.bmp", write_rle8_bmp, panel.image()},
        {"sprites.bmp", write_rle8_bmp, sheet.image()},
        {"backdrop.bmp", write_rle8_bmp, backdrop.image()},
        {"MPEGIcon.ico", write_icon_16, draw_mpeg_icon().image()},
        {"HELPIcon.ico", write_icon_16, draw_help_icon().image()},
    };
    bool ok = QDir().mkpath(output);
    for (const ArtFile& art : files)
        ok = write_file(QDir(output).filePath(QString::fromLatin1(art.name)), art.encode(art.image)) && ok;
    if (argc >= 4) {
        const QString preview = QString::fromLocal8Bit(argv[3]);
        const int scale = argc == 5 ? std::max(1, std::atoi(argv[4])) : 3;
        ok = QDir().mkpath(preview) && ok;
        for (const ArtFile& art : files)
            ok = write_preview(preview, art.name, art.image, scale) && ok;
        ok = write_preview(preview, "panel_in_use", compose_panel_in_use(panel, sheet, backdrop).image(),
                           scale) &&
             ok;
    }
    return ok ? 0 : 1;
}
