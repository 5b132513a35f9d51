#include "forms/ComCtrls.h"

void TStatusPanel::SetAlignment(TAlignment Value) {
    if (Value != m_Alignment) {
        m_Alignment = Value;
        Changed();
    }
}

void TStatusPanel::SetBevel(TStatusPanelBevel Value) {
    if (Value != m_Bevel) {
        m_Bevel = Value;
        Changed();
    }
}

void TStatusPanel::SetText(QString const& Value) {
    if (Value != m_Text) {
        m_Text = Value;
        Changed();
    }
}

void TStatusPanel::SetWidth(int Value) {
    if (Value != m_Width) {
        m_Width = Value;
        Changed();
    }
}

TStatusBar::TStatusBar(TComponent* AOwner)
    : TWinControl(AOwner, new TPaintedWidget), m_Panels(std::make_unique<TStatusPanels>()) {
    auto* widget = static_cast<TPaintedWidget*>(Widget());
    widget->OnPaint = [this](QPainter& painter) { PaintBar(painter); };
    widget->OnClick = [this] { Click(); };
    m_Panels->OnChange = [this] { Invalidate(); };
    SetTabStop(false);
    SetBounds(0, 0, 0, 19);
    SetAlign(alBottom);
}

void TStatusBar::SetSimplePanel(bool Value) {
    if (Value != m_SimplePanel) {
        m_SimplePanel = Value;
        Invalidate();
    }
}

void TStatusBar::SetSimpleText(QString const& Value) {
    if (Value != m_SimpleText) {
        m_SimpleText = Value;
        Invalidate();
    }
}

QRect TStatusBar::PanelRect(int Index) const {
    // Panels start two pixels in and are two pixels apart, as on the common control.
    int left = 0;
    for (int i = 0; i < Index; ++i)
        left += m_Panels->Items(i)->Width() + 2;
    int const width = Index < m_Panels->Count() ? m_Panels->Items(Index)->Width() : 0;
    return QRect(left, 2, width, std::max(0, Height() - 2));
}

void TStatusBar::PaintBar(QPainter& painter) {
    painter.fillRect(ClientRect(), ColorToRGB(Color()));
    painter.setFont(Font()->ToQFont());
    painter.setPen(ColorToRGB(Font()->Color()));
    if (m_SimplePanel) {
        QRect rect(0, 2, Width(), std::max(0, Height() - 2));
        Frame3D(painter, rect, clBtnShadow, clBtnHighlight, 1);
        painter.drawText(rect.adjusted(1, 0, 0, 0), Qt::AlignVCenter | Qt::AlignLeft, m_SimpleText);
        return;
    }
    for (int i = 0; i < m_Panels->Count(); ++i) {
        TStatusPanel const* panel = m_Panels->Items(i);
        QRect rect = PanelRect(i);
        if (panel->Bevel() != pbNone)
            Frame3D(painter, rect, panel->Bevel() == pbLowered ? clBtnShadow : clBtnHighlight,
                    panel->Bevel() == pbLowered ? clBtnHighlight : clBtnShadow, 1);
        int const align = panel->Alignment() == taCenter         ? Qt::AlignHCenter
                          : panel->Alignment() == taRightJustify ? Qt::AlignRight
                                                                 : Qt::AlignLeft;
        painter.drawText(rect.adjusted(1, 0, 0, 0), Qt::AlignVCenter | align, panel->Text());
    }
}
