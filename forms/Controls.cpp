// Controls and their widgets: bounds, visibility, parent properties, hints, alignment, focus.
#include "forms/Controls.h"

#include <QEvent>
#include <QFocusEvent>
#include <QMouseEvent>
#include <QPaintEvent>

#include <algorithm>
#include <cstring>

void TPaintedWidget::paintEvent(QPaintEvent*) {
    if (OnPaint) {
        QPainter painter(this);
        OnPaint(painter);
    }
}

void TPaintedWidget::mouseReleaseEvent(QMouseEvent* event) {
    if (OnClick && event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        OnClick();
}

void TPaintedWidget::mouseDoubleClickEvent(QMouseEvent* event) {
    if (OnDoubleClick && event->button() == Qt::LeftButton)
        OnDoubleClick();
}

QString GetShortHint(QString const& Hint) {
    qsizetype bar = Hint.indexOf(u'|');
    return bar < 0 ? Hint : Hint.left(bar);
}

TControl::TControl(TComponent* AOwner, QWidget* AWidget)
    : TComponent(AOwner), m_Widget(AWidget), m_Font(std::make_unique<TFont>()) {
    m_Widget->hide();
    // The widget starts with the control's font, not Qt's default.
    TControl::FontChanged();
    m_Font->OnChange = [this] {
        if (!m_UpdatingFromParent)
            m_ParentFont = false;
        FontChanged();
    };
}

TControl::~TControl() {
    m_Font->OnChange = nullptr;
    if (m_Parent)
        m_Parent->RemoveControl(this);
    delete m_Widget.data();
}

void TControl::SetParent(TWinControl* AParent) {
    if (AParent == m_Parent)
        return;
    if (AParent == this)
        throw Exception(QStringLiteral("A control cannot have itself as its parent"));
    if (m_Parent)
        m_Parent->RemoveControl(this);
    if (AParent)
        AParent->InsertControl(this);
}

TComponent* TControl::GetParentComponent() const {
    return m_Parent;
}

void TControl::SetParentComponent(TComponent* Value) {
    auto* parent = qobject_cast<TWinControl*>(Value);
    if (Value && !parent)
        throw Exception(QStringLiteral("%1 cannot be placed in %2").arg(Name(), Value->Name()));
    SetParent(parent);
}

void TControl::AttachParent(TWinControl* AParent) {
    m_Parent = AParent;
    if (m_Widget) {
        m_Widget->setParent(AParent ? AParent->ClientWidget() : nullptr);
        ApplyBounds();
        ApplyVisibility();
    }
    ParentChanged();
}

void TControl::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
    QRect const bounds(ALeft, ATop, std::max(0, AWidth), std::max(0, AHeight));
    if (bounds == m_Bounds)
        return;
    m_Bounds = bounds;
    ApplyBounds();
    if (m_Parent && m_Align != alNone)
        m_Parent->Realign();
}

void TControl::ApplyBounds() {
    if (m_Widget)
        m_Widget->setGeometry(m_Bounds);
}

void TControl::SetAlign(TAlign Value) {
    if (Value == m_Align)
        return;
    m_Align = Value;
    if (m_Parent)
        m_Parent->Realign();
}

void TControl::SetEnabled(bool Value) {
    if (Value == m_Enabled)
        return;
    m_Enabled = Value;
    if (m_Widget)
        m_Widget->setEnabled(Value);
}

void TControl::SetVisible(bool Value) {
    if (Value == m_Visible)
        return;
    m_Visible = Value;
    ApplyVisibility();
    if (m_Parent && m_Align != alNone)
        m_Parent->Realign();
}

void TControl::ApplyVisibility() {
    // A widget without a parent would be a window of its own: it stays hidden until placed.
    if (m_Widget)
        m_Widget->setVisible(m_Visible && m_Parent);
}

void TControl::SetColor(TColor Value) {
    m_ParentColor = false;
    if (Value == m_Color)
        return;
    m_Color = Value;
    ColorChanged();
}

void TControl::SetParentColor(bool Value) {
    if (Value == m_ParentColor)
        return;
    m_ParentColor = Value;
    if (Value && m_Parent && m_Parent->Color() != m_Color) {
        m_Color = m_Parent->Color();
        ColorChanged();
    }
}

void TControl::SetParentFont(bool Value) {
    if (Value == m_ParentFont)
        return;
    m_ParentFont = Value;
    if (Value)
        ParentChanged();
}

void TControl::SetHint(QString const& Value) {
    if (Value == m_Hint)
        return;
    m_Hint = Value;
    ApplyHint();
}

void TControl::SetShowHint(bool Value) {
    // Giving the control its own setting matters even when the value stays: it stops following
    // the parent's.
    bool const changed = m_ParentShowHint || Value != m_ShowHint;
    m_ParentShowHint = false;
    m_ShowHint = Value;
    if (changed)
        ParentChanged();
}

void TControl::SetParentShowHint(bool Value) {
    if (Value == m_ParentShowHint)
        return;
    m_ParentShowHint = Value;
    ParentChanged();
}

bool TControl::EffectiveShowHint() const {
    if (m_ParentShowHint && m_Parent)
        return m_Parent->EffectiveShowHint();
    return m_ShowHint;
}

void TControl::ApplyHint() {
    if (m_Widget)
        m_Widget->setToolTip(EffectiveShowHint() ? GetShortHint(m_Hint) : QString());
}

void TControl::ParentChanged() {
    if (!m_Parent) {
        ApplyHint();
        return;
    }
    if (m_ParentFont) {
        m_UpdatingFromParent = true;
        m_Font->Assign(m_Parent->Font());
        m_UpdatingFromParent = false;
    }
    if (m_ParentColor && m_Parent->Color() != m_Color) {
        m_Color = m_Parent->Color();
        ColorChanged();
    }
    ApplyHint();
}

void TControl::Invalidate() {
    if (m_Widget)
        m_Widget->update();
}

void TControl::Repaint() {
    if (m_Widget)
        m_Widget->repaint();
}

void TControl::Click() {
    DispatchEvent(m_OnClick, this);
}

bool TControl::IsPropertyStored(char const* PropertyName) const {
    if (std::strcmp(PropertyName, "Font") == 0)
        return !m_ParentFont;
    if (std::strcmp(PropertyName, "Color") == 0)
        return !m_ParentColor;
    if (std::strcmp(PropertyName, "ShowHint") == 0)
        return !m_ParentShowHint;
    return TComponent::IsPropertyStored(PropertyName);
}

void TControl::SetText(QString const& Value) {
    if (Value == m_Text)
        return;
    m_Text = Value;
    TextChanged();
}

void TControl::FontChanged() {
    if (!m_Widget)
        return;
    m_Widget->setFont(m_Font->ToQFont());
    QPalette palette = m_Widget->palette();
    QColor const text = ColorToRGB(m_Font->Color());
    palette.setColor(QPalette::WindowText, text);
    palette.setColor(QPalette::Text, text);
    palette.setColor(QPalette::ButtonText, text);
    m_Widget->setPalette(palette);
    m_Widget->update();
}

void TControl::ColorChanged() {
    if (!m_Widget)
        return;
    QPalette palette = m_Widget->palette();
    palette.setColor(QPalette::Window, ColorToRGB(m_Color));
    m_Widget->setPalette(palette);
    m_Widget->update();
}

TGraphicControl::TGraphicControl(TComponent* AOwner) : TControl(AOwner, new TPaintedWidget) {
    auto* widget = static_cast<TPaintedWidget*>(Widget());
    widget->OnPaint = [this](QPainter& painter) { PaintWidget(painter); };
    widget->OnClick = [this] { Click(); };
}

void TGraphicControl::PaintWidget(QPainter& painter) {
    TCanvas canvas(painter, *Font());
    m_Canvas = &canvas;
    std::exception_ptr error;
    try {
        Paint();
    } catch (...) {
        error = std::current_exception();
    }
    m_Canvas = nullptr;
    // Nothing may be thrown through Qt's paint event.
    if (error)
        ShowUnhandledException(error);
}
