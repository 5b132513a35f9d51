// The art as kept in the repository and as carried in the program: what the generator draws now,
// in the formats and sizes the player expects.
#include "resources/Resources.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <ostream>

namespace {

const char* const art_files[] = {"panel.bmp", "sprites.bmp", "backdrop.bmp", "MPEGIcon.ico", "HELPIcon.ico"};

QByteArray read_file(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

quint32 u32_at(const QByteArray& bytes, int at) {
    auto b = [&](int i) { return quint32(static_cast<unsigned char>(bytes[at + i])); };
    return b(0) | b(1) << 8 | b(2) << 16 | b(3) << 24;
}

quint16 u16_at(const QByteArray& bytes, int at) {
    return quint16(static_cast<unsigned char>(bytes[at]) | static_cast<unsigned char>(bytes[at + 1]) << 8);
}

TEST(ArtFiles, kept_files_are_exactly_what_the_generator_draws_now) {
    QTemporaryDir fresh;
    ASSERT_TRUE(fresh.isValid());
    QProcess generator;
    generator.start(QStringLiteral(PLAYER_ART_GENERATOR), {fresh.path()});
    ASSERT_TRUE(generator.waitForFinished(60000));
    ASSERT_EQ(generator.exitCode(), 0) << generator.readAllStandardError().toStdString();
    for (const char* name : art_files) {
        const QByteArray kept = read_file(QDir(QStringLiteral(PLAYER_ART_DIR)).filePath(name));
        const QByteArray drawn = read_file(QDir(fresh.path()).filePath(name));
        ASSERT_FALSE(drawn.isEmpty()) << name;
        EXPECT_TRUE(kept == drawn) << name
                                   << " differs from the generator's output; run the player_art target";
    }
}

struct BitmapCase {
    int id;
    const char* file;
    int width;
    int height;
};

void PrintTo(const BitmapCase& c, std::ostream* os) {
    *os << c.file;
}

class KeptBitmap : public testing::TestWithParam<BitmapCase> {};

TEST_P(KeptBitmap, is_an_rle8_bmp_of_its_size_and_loads_from_the_program) {
    const BitmapCase& c = GetParam();
    const QByteArray file = read_file(QDir(QStringLiteral(PLAYER_ART_DIR)).filePath(c.file));
    ASSERT_GE(file.size(), 54 + 1024);
    EXPECT_EQ(file.left(2), QByteArray("BM"));
    EXPECT_EQ(u32_at(file, 2), quint32(file.size()));
    EXPECT_EQ(u32_at(file, 18), quint32(c.width));
    EXPECT_EQ(u32_at(file, 22), quint32(c.height));
    EXPECT_EQ(u16_at(file, 28), 8);
    EXPECT_EQ(u32_at(file, 30), 1u) << "BI_RLE8";
    EXPECT_EQ(u32_at(file, 46), 256u) << "256-colour palette";

    const QImage loaded = player::load_bitmap(c.id);
    ASSERT_FALSE(loaded.isNull()) << c.id;
    EXPECT_EQ(loaded.width(), c.width);
    EXPECT_EQ(loaded.height(), c.height);
    EXPECT_EQ(loaded.format(), QImage::Format_Indexed8);
}

INSTANTIATE_TEST_SUITE_P(Bitmaps, KeptBitmap,
                         testing::Values(BitmapCase{player::panel_bitmap_id, "panel.bmp", 368, 70},
                                         BitmapCase{player::sprite_sheet_id, "sprites.bmp", 329, 85},
                                         BitmapCase{player::backdrop_bitmap_id, "backdrop.bmp", 368, 302}),
                         [](const testing::TestParamInfo<BitmapCase>& info) {
                             return std::to_string(info.param.id);
                         });

TEST(ArtFiles, icons_are_32_by_32_in_16_colours_and_load_from_the_program) {
    for (std::string_view name : {player::player_icon_name, player::help_icon_name}) {
        const QByteArray file = read_file(
            QDir(QStringLiteral(PLAYER_ART_DIR)).filePath(QString::fromLatin1(name.data(), 8) + ".ico"));
        ASSERT_EQ(file.size(), 766) << name;
        EXPECT_EQ(u16_at(file, 2), 1) << "icon type";
        EXPECT_EQ(static_cast<unsigned char>(file[6]), 32);
        EXPECT_EQ(static_cast<unsigned char>(file[8]), 16) << "colour count";
        EXPECT_EQ(u16_at(file, 12), 4) << "bits per pixel";
        const QImage icon = player::load_icon(name);
        ASSERT_FALSE(icon.isNull()) << name;
        EXPECT_EQ(icon.size(), QSize(32, 32));
        EXPECT_TRUE(icon.hasAlphaChannel()) << "the mask makes the icon's corners transparent";
    }
}

TEST(ArtFiles, unknown_resource_names_and_ids_load_nothing) {
    EXPECT_TRUE(player::load_bitmap(553).isNull());
    EXPECT_TRUE(player::load_icon("NOICON").isNull());
    const player::AcceleratorTable table = player::load_accelerators("NOTABLE");
    EXPECT_FALSE(table.ok());
    EXPECT_TRUE(table.entries.empty());
}

} // namespace
