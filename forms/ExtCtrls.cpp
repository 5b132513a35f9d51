// Panel and bevel painting, the image control and the timer.
#include "forms/ExtCtrls.h"

#include <QTimer>

namespace {

void BevelColors(TBevelCut cut, TColor& topLeft, TColor& bottomRight) {
    topLeft = cut == bvLowered ? clBtnShadow : clBtnHighlight;
    bottomRight = cut == bvLowered ? clBtnHighlight : clBtnShadow;
}

} // namespace

TPanel::TPanel(TComponent* AOwner) : TWinControl(AOwner, new TPaintedWidget) {
    auto* widget = static_cast<TPaintedWidget*>(Widget());
    widget->OnPaint = [this](QPainter& painter) { PaintPanel(painter); };
    widget->OnClick = [this] { Click(); };
    SetTabStop(false);
    SetBounds(0, 0, 185, 41);
}

void TPanel::SetAlignment(TAlignment Value) {
    if (Value != m_Alignment) {
        m_Alignment = Value;
        Invalidate();
    }
}

void TPanel::SetBevelInner(TBevelCut Value) {
    if (Value != m_BevelInner) {
        m_BevelInner = Value;
        Invalidate();
    }
}

void TPanel::SetBevelOuter(TBevelCut Value) {
    if (Value != m_BevelOuter) {
        m_BevelOuter = Value;
        Invalidate();
    }
}

void TPanel::SetBevelWidth(int Value) {
    if (Value >= 1 && Value != m_BevelWidth) {
        m_BevelWidth = Value;
        Invalidate();
    }
}

void TPanel::SetBorderWidth(int Value) {
    if (Value >= 0 && Value != m_BorderWidth) {
        m_BorderWidth = Value;
        Invalidate();
    }
}

void TPanel::SetBorderStyle(TFormBorderStyle Value) {
    if (Value != m_BorderStyle) {
        m_BorderStyle = Value;
        Invalidate();
    }
}

void TPanel::PaintPanel(QPainter& painter) {
    QRect rect = ClientRect();
    painter.fillRect(rect, ColorToRGB(Color()));
    if (m_BorderStyle == bsSingle)
        Frame3D(painter, rect, clWindowFrame, clWindowFrame, 1);
    TColor topLeft{};
    TColor bottomRight{};
    if (m_BevelOuter != bvNone) {
        BevelColors(m_BevelOuter, topLeft, bottomRight);
        Frame3D(painter, rect, topLeft, bottomRight, m_BevelWidth);
    }
    rect.adjust(m_BorderWidth, m_BorderWidth, -m_BorderWidth, -m_BorderWidth);
    if (m_BevelInner != bvNone) {
        BevelColors(m_BevelInner, topLeft, bottomRight);
        Frame3D(painter, rect, topLeft, bottomRight, m_BevelWidth);
    }
    if (GetText().isEmpty())
        return;
    int flags = Qt::AlignVCenter | Qt::TextSingleLine | Qt::TextShowMnemonic;
    flags |= m_Alignment == taCenter         ? Qt::AlignHCenter
             : m_Alignment == taRightJustify ? Qt::AlignRight
                                             : Qt::AlignLeft;
    painter.setFont(Font()->ToQFont());
    painter.setPen(ColorToRGB(Font()->Color()));
    painter.drawText(rect, flags, GetText());
}

TBevel::TBevel(TComponent* AOwner) : TGraphicControl(AOwner) {
    SetBounds(0, 0, 50, 50);
}

void TBevel::SetShape(TBevelShape Value) {
    if (Value != m_Shape) {
        m_Shape = Value;
        Invalidate();
    }
}

void TBevel::SetStyle(TBevelStyle Value) {
    if (Value != m_Style) {
        m_Style = Value;
        Invalidate();
    }
}

void TBevel::Paint() {
    QPainter& painter = Canvas()->Painter();
    TColor const first = m_Style == bsLowered ? clBtnShadow : clBtnHighlight;
    TColor const second = m_Style == bsLowered ? clBtnHighlight : clBtnShadow;
    QRect rect = ClientRect();
    int const w = rect.width();
    int const h = rect.height();
    switch (m_Shape) {
    case bsBox:
        Frame3D(painter, rect, first, second, 1);
        break;
    case bsFrame: {
        // An etched frame: the same ring twice, one pixel apart, in opposite colours.
        QRect outer(0, 0, w - 1, h - 1);
        Frame3D(painter, outer, first, first, 1);
        QRect inner(1, 1, w - 1, h - 1);
        Frame3D(painter, inner, second, second, 1);
        break;
    }
    case bsTopLine:
        painter.fillRect(QRect(0, 0, w, 1), ColorToRGB(first));
        painter.fillRect(QRect(0, 1, w, 1), ColorToRGB(second));
        break;
    case bsBottomLine:
        painter.fillRect(QRect(0, h - 2, w, 1), ColorToRGB(first));
        painter.fillRect(QRect(0, h - 1, w, 1), ColorToRGB(second));
        break;
    case bsLeftLine:
        painter.fillRect(QRect(0, 0, 1, h), ColorToRGB(first));
        painter.fillRect(QRect(1, 0, 1, h), ColorToRGB(second));
        break;
    case bsRightLine:
        painter.fillRect(QRect(w - 2, 0, 1, h), ColorToRGB(first));
        painter.fillRect(QRect(w - 1, 0, 1, h), ColorToRGB(second));
        break;
    case bsSpacer:
        break;
    }
}

TImage::TImage(TComponent* AOwner) : TGraphicControl(AOwner), m_Picture(std::make_unique<TPicture>()) {
    m_Picture->OnChange = [this] { PictureChanged(); };
    SetBounds(0, 0, 105, 105);
}

void TImage::SetAutoSize(bool Value) {
    if (Value != m_AutoSize) {
        m_AutoSize = Value;
        PictureChanged();
    }
}

void TImage::SetCenter(bool Value) {
    if (Value != m_Center) {
        m_Center = Value;
        Invalidate();
    }
}

void TImage::SetStretch(bool Value) {
    if (Value != m_Stretch) {
        m_Stretch = Value;
        Invalidate();
    }
}

void TImage::SetTransparent(bool Value) {
    if (Value != m_Transparent) {
        m_Transparent = Value;
        Invalidate();
    }
}

void TImage::PictureChanged() {
    if (m_AutoSize && !m_Picture->Empty())
        SetBounds(Left(), Top(), m_Picture->Image().width(), m_Picture->Image().height());
    Invalidate();
}

void TImage::Paint() {
    QImage image = m_Picture->Image();
    if (image.isNull())
        return;
    if (m_Transparent) {
        // The bottom-left pixel's colour is the transparent one, as for bitmaps of the period.
        QImage masked = image.convertToFormat(QImage::Format_ARGB32);
        QRgb const key = masked.pixel(0, masked.height() - 1);
        for (int y = 0; y < masked.height(); ++y)
            for (int x = 0; x < masked.width(); ++x)
                if (masked.pixel(x, y) == key)
                    masked.setPixel(x, y, 0);
        image = masked;
    }
    QPainter& painter = Canvas()->Painter();
    if (m_Stretch) {
        painter.drawImage(ClientRect(), image);
        return;
    }
    QPoint origin(0, 0);
    if (m_Center)
        origin = QPoint((Width() - image.width()) / 2, (Height() - image.height()) / 2);
    painter.drawImage(origin, image);
}

TTimer::TTimer(TComponent* AOwner) : TComponent(AOwner), m_Timer(new QTimer(this)) {
    QObject::connect(m_Timer, &QTimer::timeout, this, [this] { Timer(); });
}

TTimer::~TTimer() {
    m_Timer->stop();
}

void TTimer::SetEnabled(bool Value) {
    if (Value != m_Enabled) {
        m_Enabled = Value;
        UpdateTimer();
    }
}

void TTimer::SetInterval(int Value) {
    if (Value != m_Interval) {
        m_Interval = Value;
        UpdateTimer();
    }
}

void TTimer::SetOnTimer(TNotifyEvent const& Value) {
    m_OnTimer = Value;
    UpdateTimer();
}

bool TTimer::Active() const {
    return m_Timer->isActive();
}

void TTimer::UpdateTimer() {
    m_Timer->stop();
    if (m_Enabled && m_Interval > 0 && m_OnTimer)
        m_Timer->start(m_Interval);
}

void TTimer::Timer() {
    DispatchEvent(m_OnTimer, this);
}
