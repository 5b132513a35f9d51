// The drive and folder icons of the drive box and the directory list: 16 by 16 pixel maps in the
// sixteen colours of the period, one character a pixel.
#include "forms/FileCtrl.h"

#include <array>
#include <string_view>

namespace {

using PixelMap = std::array<std::string_view, 16>;

constexpr PixelMap HardDisk = {
    "................", "................", "................", "................",
    "................", ".kkkkkkkkkkkkkk.", ".kwwwwwwwwwwwwk.", ".kwllllllllllgk.",
    ".kwllllllllllgk.", ".kwlllllllGGlgk.", ".kggggggggggggk.", ".kkkkkkkkkkkkkk.",
    "................", "................", "................", "................"};

constexpr PixelMap CDDrive = {
    "................", ".....kkkkk......", "....kwwcwwk.....", "...kwcwkwwwk....",
    "...kwwk.kwwk....", "...kwwwkwcwk....", "....kwwwcwk.....", ".kkkkkkkkkkkkkk.",
    ".kwwwwwwwwwwwwk.", ".kwllllllllllgk.", ".kwkkkkkkllGlgk.", ".kggggggggggggk.",
    ".kkkkkkkkkkkkkk.", "................", "................", "................"};

constexpr PixelMap NetworkDrive = {
    "................", "................", "................", ".kkkkkkkkkkkkkk.",
    ".kwwwwwwwwwwwwk.", ".kwllllllllllgk.", ".kwlllllllGGlgk.", ".kggggggggggggk.",
    ".kkkkkkkkkkkkkk.", ".......kGk......", ".......kGk......", ".......kGk......",
    "kkkkkkkkGkkkkkkk", "GGGGGGGGGGGGGGGG", "dddddddddddddddd", "kkkkkkkkkkkkkkkk"};

constexpr PixelMap Floppy = {
    "................", "..kkkkkkkkkkk...", "..knllllllnnk...", "..knllkkllnnk...",
    "..knllkkllnnk...", "..knllllllnnk...", "..knnnnnnnnnk...", "..knwwwwwwwnk...",
    "..knwkkkkkwnk...", "..knwwwwwwwnk...", "..knwkkkkkwnk...", "..knwwwwwwwnk...",
    "..kkkkkkkkkkk...", "................", "................", "................"};

constexpr PixelMap ClosedFolder = {
    "................", "................", "................", "..kkkkk.........",
    ".kwyyyyk........", "kwyyyyyykkkkkk..", "kwwwwwwwwwwwwok.", "kwyyyyyyyyyyyok.",
    "kwyyyyyyyyyyyok.", "kwyyyyyyyyyyyok.", "kwyyyyyyyyyyyok.", "kwyyyyyyyyyyyok.",
    "koooooooooooook.", "kkkkkkkkkkkkkkk.", "................", "................"};

constexpr PixelMap OpenFolder = {
    "................", "................", "................", "..kkkkk.........",
    ".kwyyyyk........", "kwyyyyyykkkkkk..", "kwyyyyyyyyyyyok.", "kwyyykkkkkkkkkkk",
    "kwyykwwwwwwwwwok", "kwykwyyyyyyyyok.", "kwkwyyyyyyyyok..", "kkwyyyyyyyyok...",
    "kkkkkkkkkkkk....", "................", "................", "................"};

constexpr bool IsSquare(PixelMap const& map) {
    for (std::string_view row : map)
        if (row.size() != 16)
            return false;
    return true;
}
static_assert(IsSquare(HardDisk) && IsSquare(CDDrive) && IsSquare(NetworkDrive) && IsSquare(Floppy) &&
              IsSquare(ClosedFolder) && IsSquare(OpenFolder));

QRgb ColorOf(char c) {
    switch (c) {
    case 'k': return qRgb(0x00, 0x00, 0x00);
    case 'g': return qRgb(0x80, 0x80, 0x80);
    case 'l': return qRgb(0xC0, 0xC0, 0xC0);
    case 'w': return qRgb(0xFF, 0xFF, 0xFF);
    case 'y': return qRgb(0xFF, 0xFF, 0x00);
    case 'o': return qRgb(0x80, 0x80, 0x00);
    case 'G': return qRgb(0x00, 0xFF, 0x00);
    case 'd': return qRgb(0x00, 0x80, 0x00);
    case 'n': return qRgb(0x00, 0x00, 0x80);
    case 'c': return qRgb(0x00, 0xFF, 0xFF);
    default: return qRgba(0, 0, 0, 0);
    }
}

QImage Draw(PixelMap const& map) {
    QImage image(16, 16, QImage::Format_ARGB32);
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x)
            image.setPixel(x, y, ColorOf(map[static_cast<size_t>(y)][static_cast<size_t>(x)]));
    return image;
}

} // namespace

QImage DriveIcon(TDriveType Type) {
    switch (Type) {
    case dtFloppy: return Draw(Floppy);
    case dtNetwork: return Draw(NetworkDrive);
    case dtCDROM: return Draw(CDDrive);
    default: return Draw(HardDisk);
    }
}

QImage FolderIcon(bool Open) {
    return Draw(Open ? OpenFolder : ClosedFolder);
}
