// A push button with a glyph. The glyph bitmap holds NumGlyphs images side by side: the first
// for the normal state, the second for the disabled state (a "two-state glyph"); its bottom-left
// pixel's colour is transparent.
#pragma once

#include "StdCtrls.h"

#include <QIcon>

class TBitBtn : public TButton {
    Q_OBJECT
    Q_PROPERTY(TPicture* Glyph READ Glyph)
    Q_PROPERTY(FormTypes::TBitBtnKind Kind READ Kind WRITE SetKind)
    Q_PROPERTY(FormTypes::TButtonLayout Layout READ Layout WRITE SetLayout)
    Q_PROPERTY(int Margin READ Margin WRITE SetMargin)
    Q_PROPERTY(int NumGlyphs READ NumGlyphs WRITE SetNumGlyphs)
    Q_PROPERTY(int Spacing READ Spacing WRITE SetSpacing)
  public:
    explicit TBitBtn(TComponent* AOwner);

    TPicture* Glyph() const { return m_Glyph.get(); }
    TBitBtnKind Kind() const { return m_Kind; }
    void SetKind(TBitBtnKind Value) { m_Kind = Value; }
    TButtonLayout Layout() const { return m_Layout; }
    void SetLayout(TButtonLayout Value);
    int Margin() const { return m_Margin; }
    void SetMargin(int Value) { m_Margin = Value; }
    // 1 to 4; other values are ignored.
    int NumGlyphs() const { return m_NumGlyphs; }
    void SetNumGlyphs(int Value);
    int Spacing() const { return m_Spacing; }
    void SetSpacing(int Value) { m_Spacing = Value; }

    // The glyph image of a state: 0 normal, 1 disabled (the normal one when there is no second).
    QImage GlyphImage(int Index) const;

  private:
    void GlyphChanged();

    std::unique_ptr<TPicture> m_Glyph;
    TBitBtnKind m_Kind = bkCustom;
    TButtonLayout m_Layout = blGlyphLeft;
    int m_Margin = -1;
    int m_NumGlyphs = 1;
    int m_Spacing = 4;
};
