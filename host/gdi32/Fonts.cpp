// gdi32: logical fonts, the stand-in families of the classic faces and the pictures of the
// "Wingdings" symbol face.
#include "Gdi.h"

#include <array>
#include <cstring>

namespace host::user32 {
namespace {

// The characters of the "Wingdings" face the programs draw, and the Unicode symbol of the same
// picture. Symbola (fonts-symbola) draws all of them.
struct SymbolPicture {
    char16_t wingdings;
    char32_t unicode;
};
constexpr std::array<SymbolPicture, 9> symbol_pictures{{
    {0x2B, U'\u2709'},     // envelope
    {0x30, U'\U0001F4C1'}, // folder
    {0x32, U'\U0001F4C4'}, // document
    {0x4A, U'\u263A'},     // smiling face
    {0x4F, U'\U0001F3F3'}, // waving white flag
    {0xE7, U'\u2B05'},     // heavy arrows: left, right, up, down
    {0xE8, U'\u27A1'},
    {0xE9, U'\u2B06'},
    {0xEA, U'\u2B07'},
}};

constexpr char const* symbol_face = "Wingdings";
constexpr char const* symbol_family = "Symbola";

bool is_symbol_face(QString const& face) {
    return face.compare(QLatin1String(symbol_face), Qt::CaseInsensitive) == 0;
}

} // namespace

QFont system_font() {
    // Windows' system font: a bold sans-serif face about 16 pixels high.
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(13);
    font.setBold(true);
    // A bitmap font on Windows: crisp pixels on the pixel grid, no grey edges.
    font.setStyleStrategy(QFont::NoAntialias);
    font.setHintingPreference(QFont::PreferFullHinting);
    return font;
}

QString symbol_text(QString const& text) {
    QString result;
    for (QChar c : text) {
        auto const found = std::find_if(symbol_pictures.begin(), symbol_pictures.end(),
                                        [&](SymbolPicture const& p) { return p.wingdings == c.unicode(); });
        if (found != symbol_pictures.end() && found->unicode != 0)
            result += QString::fromUcs4(&found->unicode, 1);
        else
            result += c;
    }
    return result;
}

QFont dc_font(DeviceContext const& dc, bool* symbol) {
    GdiObject const* font = find_gdi_object(dc.font);
    bool const selected = font && font->kind == GdiObject::Kind::font;
    if (symbol)
        *symbol = selected && font->symbol_font;
    return selected ? font->font : system_font();
}

} // namespace host::user32

using namespace host::user32;

namespace host {

QString substitute_family(QString const& face) {
    static const std::array<std::pair<char const*, char const*>, 5> families{{
        {"MS Sans Serif", "Liberation Sans"},
        {"Arial", "Liberation Sans"},
        {"Times New Roman", "Liberation Serif"},
        {"Courier New", "Liberation Mono"},
        {symbol_face, symbol_family},
    }};
    for (auto const& [classic, stand_in] : families)
        if (face.compare(QLatin1String(classic), Qt::CaseInsensitive) == 0)
            return QLatin1String(stand_in);
    return face;
}

QFont logical_font(LOGFONTA const& font) {
    const QString face = QString::fromLatin1(font.lfFaceName, static_cast<int>(strnlen(font.lfFaceName, LF_FACESIZE)));
    QFont result(substitute_family(face.isEmpty() ? QStringLiteral("MS Sans Serif") : face));
    result.setStyleHint(QFont::SansSerif);
    // A negative height is the character height (the em); a positive one includes the internal
    // leading, about a fifth of it in the classic faces; 0 is the default size.
    const int pixels = font.lfHeight < 0 ? -font.lfHeight : font.lfHeight > 0 ? std::max(1, font.lfHeight * 4 / 5) : 11;
    result.setPixelSize(pixels);
    result.setBold(font.lfWeight >= 600);
    result.setItalic(font.lfItalic != 0);
    result.setUnderline(font.lfUnderline != 0);
    result.setStrikeOut(font.lfStrikeOut != 0);
    result.setStyleStrategy(QFont::NoAntialias);
    result.setHintingPreference(QFont::PreferFullHinting);
    return result;
}

} // namespace host

extern "C" HFONT CreateFontIndirectA(const LOGFONTA* font) {
    if (!font)
        return nullptr;
    auto object = std::make_unique<GdiObject>();
    object->kind = GdiObject::Kind::font;
    object->font = host::logical_font(*font);
    const QString face = QString::fromLatin1(font->lfFaceName, static_cast<int>(strnlen(font->lfFaceName, LF_FACESIZE)));
    object->symbol_font = is_symbol_face(face);
    return static_cast<HFONT>(add_gdi_object(std::move(object)));
}
