#include "DrLabel.h"

namespace {

// The frame colours of each border style: top and left edges, then right and bottom edges.
struct BorderColors {
    TColor TopLeft;
    TColor BottomRight;
};

constexpr BorderColors BorderColorsOf[] = {
    {clNone, clNone},               // boNone
    {clWindowFrame, clWindowFrame}, // boSingle
    {clBtnHighlight, clBtnShadow},  // boRaised
    {clBtnShadow, clBtnHighlight},  // boLowered
};

constexpr int CaptionLimit = 255;

} // namespace

TDRLabel::TDRLabel(TComponent* AOwner) : TLabel(AOwner) {
    m_SavedColor = Font()->Color();
    m_BlinkTimer = new TTimer(this);
    m_BlinkTimer->SetEnabled(false);
    m_BlinkTimer->SetInterval(300);
    m_BlinkTimer->SetOnTimer(TNotifyEvent([this](TObject*) { TimerTick(); }));
    // Room for the shadow; sizes read from a form description replace this.
    SetBounds(Left(), Top(), Width() + 1, Height() + 1);
}

void TDRLabel::SetHiColor(TColor Value) {
    if (Value != m_HiColor) {
        m_HiColor = Value;
        Invalidate();
    }
}

void TDRLabel::SetLoColor(TColor Value) {
    if (Value != m_LoColor) {
        m_LoColor = Value;
        Invalidate();
    }
}

void TDRLabel::SetBorder(TDRBorder Value) {
    if (Value != m_Border) {
        m_Border = Value;
        Invalidate();
    }
}

void TDRLabel::SetCtl3D(bool Value) {
    if (Value != m_Ctl3D) {
        m_Ctl3D = Value;
        Invalidate();
    }
}

void TDRLabel::SetBlinkInterval(int Value) {
    if (Value != m_BlinkInterval) {
        m_BlinkInterval = Value;
        m_BlinkTimer->SetInterval(Value);
        Invalidate();
    }
}

void TDRLabel::SetBlink(TDRBlink Value) {
    if (Value == m_Blink)
        return;
    m_Blink = Value;
    if (Value == blBlink)
        m_SavedColor = Font()->Color();
    else
        Font()->SetColor(m_SavedColor);
    m_BlinkTimer->SetEnabled(Value != blNone);
    Invalidate();
}

void TDRLabel::SetShadowColor(TColor Value) {
    if (Value != m_ShadowColor) {
        m_ShadowColor = Value;
        Invalidate();
    }
}

void TDRLabel::SetDeep(int Value) {
    if ((Value == 1 || Value == 2) && Value != m_Deep) {
        m_Deep = Value;
        Invalidate();
    }
}

void TDRLabel::TimerTick() {
    // A font colour change repaints the label (the framework's font notification).
    if (m_Blink == blHiLo)
        Font()->SetColor(Font()->Color() == m_HiColor ? m_LoColor : m_HiColor);
    else
        Font()->SetColor(Font()->Color() == Color() ? m_SavedColor : Color());
}

int TDRLabel::DrawFlags() const {
    // Always word-wrapped and top-aligned, whatever WordWrap and Layout say.
    int flags = Qt::AlignTop | Qt::TextWordWrap | Qt::TextExpandTabs;
    switch (Alignment()) {
    case taLeftJustify:
        flags |= Qt::AlignLeft;
        break;
    case taRightJustify:
        flags |= Qt::AlignRight;
        break;
    case taCenter:
        flags |= Qt::AlignHCenter;
        break;
    }
    if (ShowAccelChar())
        flags |= Qt::TextShowMnemonic;
    return flags;
}

void TDRLabel::PaintBorder(QPainter& painter) const {
    if (m_Border == boNone)
        return;
    BorderColors const colors = BorderColorsOf[m_Border];
    // The last column and row of the client area stay outside the frame.
    QRect frame(0, 0, Width() - 1, Height() - 1);
    Frame3D(painter, frame, colors.TopLeft, colors.BottomRight, 1);
}

void TDRLabel::Paint() {
    TCanvas* canvas = Canvas();
    QRect const rect = ClientRect();
    if (!Transparent()) {
        canvas->BrushColor = Color();
        canvas->FillRect(rect);
    }
    PaintBorder(canvas->Painter());
    QString const text = Caption().left(CaptionLimit);
    TColor const textColor = Font()->Color();
    // Text in the background colour is not drawn at all: this is how blBlink hides it.
    if (textColor == Color())
        return;
    if (m_Ctl3D) {
        canvas->Font().SetColor(m_ShadowColor);
        canvas->DrawText(text, rect.translated(m_Deep, m_Deep), DrawFlags());
    }
    canvas->Font().SetColor(Enabled() ? textColor : clGrayText);
    canvas->DrawText(text, rect, DrawFlags());
}
