#include "forms/Buttons.h"

#include <QPushButton>

TBitBtn::TBitBtn(TComponent* AOwner) : TButton(AOwner), m_Glyph(std::make_unique<TPicture>()) {
    m_Glyph->OnChange = [this] { GlyphChanged(); };
}

void TBitBtn::SetLayout(TButtonLayout Value) {
    m_Layout = Value;
    PushButton()->setLayoutDirection(Value == blGlyphRight ? Qt::RightToLeft : Qt::LeftToRight);
}

void TBitBtn::SetNumGlyphs(int Value) {
    if (Value < 1 || Value > 4 || Value == m_NumGlyphs)
        return;
    m_NumGlyphs = Value;
    GlyphChanged();
}

QImage TBitBtn::GlyphImage(int Index) const {
    QImage const& strip = m_Glyph->Image();
    if (strip.isNull())
        return {};
    int const width = strip.width() / m_NumGlyphs;
    if (Index >= m_NumGlyphs)
        Index = 0;
    QImage image = strip.copy(Index * width, 0, width, strip.height()).convertToFormat(QImage::Format_ARGB32);
    QRgb const key = strip.pixel(0, strip.height() - 1);
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixel(x, y) == key)
                image.setPixel(x, y, 0);
    return image;
}

void TBitBtn::GlyphChanged() {
    QIcon icon;
    QImage const normal = GlyphImage(0);
    if (!normal.isNull()) {
        icon.addPixmap(QPixmap::fromImage(normal), QIcon::Normal);
        if (m_NumGlyphs >= 2)
            icon.addPixmap(QPixmap::fromImage(GlyphImage(1)), QIcon::Disabled);
        PushButton()->setIconSize(normal.size());
    }
    PushButton()->setIcon(icon);
}
