// desktop_icons: draws the programs' desktop icons, PNG files in the sizes of the hicolor theme,
// from the programs' own 32 x 32 art: the player's class icon "MPEGIcon" (its .ico file) and the
// tuner's window icon (drawn by the tuner's Artwork).
//
//   desktop_icons OUTPUT_FOLDER PLAYER_ICON_FILE
//
// writes OUTPUT_FOLDER/<size>x<size>/apps/<desktop id>.png for every size.
#include "Artwork.h"

#include <QDir>
#include <QGuiApplication>
#include <QImage>

#include <array>
#include <cstdio>

namespace {

constexpr std::array<int, 5> icon_sizes{16, 32, 48, 64, 128};
constexpr char player_id[] = "org.varnreel.reelp32";
constexpr char tuner_id[] = "org.varnreel.varndosfettle";

// Pixel art keeps its square pixels: it is enlarged by a whole factor to the first size at or
// above the one asked for, and only then smoothed down the rest of the way.
QImage icon_at(QImage const& art, int size) {
    const int factor = (size + art.width() - 1) / art.width();
    QImage enlarged = art.scaled(art.width() * factor, art.height() * factor, Qt::IgnoreAspectRatio,
                                 Qt::FastTransformation);
    if (enlarged.width() == size)
        return enlarged;
    return enlarged.scaled(size, size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}

bool write_sizes(QImage const& art, QString const& folder, char const* id) {
    for (int size : icon_sizes) {
        const QString apps = QStringLiteral("%1/%2x%2/apps").arg(folder).arg(size);
        const QString file = QStringLiteral("%1/%2.png").arg(apps, QString::fromLatin1(id));
        if (!QDir().mkpath(apps) || !icon_at(art, size).save(file, "PNG")) {
            std::fprintf(stderr, "desktop_icons: cannot write %s\n", qPrintable(file));
            return false;
        }
    }
    return true;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fputs("usage: desktop_icons OUTPUT_FOLDER PLAYER_ICON_FILE\n", stderr);
        return 2;
    }
    // Drawing text needs a GUI application; no window is shown.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);
    const QString folder = QString::fromLocal8Bit(argv[1]);

    QImage player_art(QString::fromLocal8Bit(argv[2]));
    if (player_art.isNull()) {
        std::fprintf(stderr, "desktop_icons: cannot read the player's icon %s\n", argv[2]);
        return 1;
    }
    player_art = player_art.convertToFormat(QImage::Format_ARGB32);
    const QImage tuner_art = Artwork::Icon().convertToFormat(QImage::Format_ARGB32);
    return write_sizes(player_art, folder, player_id) && write_sizes(tuner_art, folder, tuner_id) ? 0 : 1;
}
