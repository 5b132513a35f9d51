#include "resources/Resources.h"

#include <QFile>

#include <string>

// The resource file is compiled into this static library; registering it by hand keeps the
// linker from dropping it from programs that only reach it through these loaders.
static void register_player_art() {
    static const bool registered = [] {
        Q_INIT_RESOURCE(player_art);
        return true;
    }();
    (void)registered;
}

namespace player {

namespace {

QString resource_path(std::string_view kind, std::string_view name) {
    return QStringLiteral(":/player/") + QString::fromLatin1(kind.data(), qsizetype(kind.size())) + u'/' +
           QString::fromLatin1(name.data(), qsizetype(name.size()));
}

QImage load_image(const QString& path, const char* format) {
    register_player_art();
    QImage image;
    if (!QFile::exists(path) || !image.load(path, format))
        return {};
    return image;
}

} // namespace

QImage load_bitmap(int id) {
    return load_image(resource_path("bitmap", std::to_string(id)), "BMP");
}

QImage load_icon(std::string_view name) {
    return load_image(resource_path("icon", name), "ICO");
}

AcceleratorTable load_accelerators(std::string_view name) {
    register_player_art();
    QFile file(resource_path("accelerators", name));
    if (!file.open(QIODevice::ReadOnly)) {
        AcceleratorTable missing;
        missing.error = "no accelerator table named " + std::string(name);
        return missing;
    }
    const QByteArray text = file.readAll();
    return parse_accelerators(std::string_view(text.constData(), std::size_t(text.size())));
}

} // namespace player
