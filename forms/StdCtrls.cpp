// Label, static text, edit box, button, check box and group box on their Qt widgets.
#include "forms/StdCtrls.h"

#include <QCheckBox>
#include <QFontMetrics>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>

#include <cstring>

namespace {

Qt::Alignment HorizontalAlignment(TAlignment alignment) {
    switch (alignment) {
    case taRightJustify:
        return Qt::AlignRight;
    case taCenter:
        return Qt::AlignHCenter;
    default:
        return Qt::AlignLeft;
    }
}

} // namespace

TLabel::TLabel(TComponent* AOwner) : TGraphicControl(AOwner) {
    SetParentColor(true);
    SetBounds(0, 0, 65, 17);
}

void TLabel::SetAlignment(TAlignment Value) {
    if (Value != m_Alignment) {
        m_Alignment = Value;
        Invalidate();
    }
}

void TLabel::SetAutoSize(bool Value) {
    if (Value != m_AutoSize) {
        m_AutoSize = Value;
        AdjustBounds();
    }
}

void TLabel::SetLayout(TTextLayout Value) {
    if (Value != m_Layout) {
        m_Layout = Value;
        Invalidate();
    }
}

void TLabel::SetShowAccelChar(bool Value) {
    if (Value != m_ShowAccelChar) {
        m_ShowAccelChar = Value;
        AdjustBounds();
        Invalidate();
    }
}

void TLabel::SetTransparent(bool Value) {
    if (Value != m_Transparent) {
        m_Transparent = Value;
        Invalidate();
    }
}

void TLabel::SetWordWrap(bool Value) {
    if (Value != m_WordWrap) {
        m_WordWrap = Value;
        AdjustBounds();
        Invalidate();
    }
}

void TLabel::Loaded() {
    TGraphicControl::Loaded();
    AdjustBounds();
}

int TLabel::TextFlags() const {
    int flags = static_cast<int>(HorizontalAlignment(m_Alignment)) | Qt::TextExpandTabs;
    flags |= m_Layout == tlCenter ? Qt::AlignVCenter : m_Layout == tlBottom ? Qt::AlignBottom : Qt::AlignTop;
    if (m_WordWrap)
        flags |= Qt::TextWordWrap;
    if (m_ShowAccelChar)
        flags |= Qt::TextShowMnemonic;
    return flags;
}

void TLabel::AdjustBounds() {
    if (!m_AutoSize || IsLoading())
        return;
    QFontMetrics const metrics(Font()->ToQFont());
    QString const text = GetText().isEmpty() ? QStringLiteral(" ") : GetText();
    QRect const bound = m_WordWrap ? QRect(0, 0, Width(), 100000) : QRect(0, 0, 100000, 100000);
    QRect const needed =
        metrics.boundingRect(bound, TextFlags() & ~(Qt::AlignHCenter | Qt::AlignRight), text);
    int left = Left();
    int const width = m_WordWrap ? Width() : needed.width();
    // A right-aligned or centred label keeps its right edge or centre.
    if (m_Alignment == taRightJustify)
        left += Width() - width;
    else if (m_Alignment == taCenter)
        left += (Width() - width) / 2;
    SetBounds(left, Top(), width, needed.height());
}

void TLabel::Paint() {
    TCanvas* canvas = Canvas();
    QRect const rect = ClientRect();
    if (!m_Transparent) {
        canvas->BrushColor = Color();
        canvas->FillRect(rect);
    }
    if (Enabled()) {
        canvas->DrawText(GetText(), rect, TextFlags());
        return;
    }
    // Disabled text is embossed: highlight one pixel down and right, shadow on top.
    canvas->Font().SetColor(clBtnHighlight);
    canvas->DrawText(GetText(), rect.translated(1, 1), TextFlags());
    canvas->Font().SetColor(clBtnShadow);
    canvas->DrawText(GetText(), rect, TextFlags());
}

void TLabel::TextChanged() {
    AdjustBounds();
    Invalidate();
}

void TLabel::FontChanged() {
    TGraphicControl::FontChanged();
    AdjustBounds();
}

TStaticText::TStaticText(TComponent* AOwner) : TWinControl(AOwner, new TPaintedWidget) {
    auto* widget = static_cast<TPaintedWidget*>(Widget());
    widget->OnPaint = [this](QPainter& painter) { PaintStatic(painter); };
    widget->OnClick = [this] { Click(); };
    SetParentColor(true);
    SetTabStop(false);
    SetBounds(0, 0, 65, 17);
}

void TStaticText::SetAlignment(TAlignment Value) {
    if (Value != m_Alignment) {
        m_Alignment = Value;
        Invalidate();
    }
}

void TStaticText::SetBorderStyle(TStaticBorderStyle Value) {
    if (Value != m_BorderStyle) {
        m_BorderStyle = Value;
        Invalidate();
    }
}

void TStaticText::SetShowAccelChar(bool Value) {
    if (Value != m_ShowAccelChar) {
        m_ShowAccelChar = Value;
        Invalidate();
    }
}

void TStaticText::PaintStatic(QPainter& painter) {
    QRect rect = ClientRect();
    painter.fillRect(rect, ColorToRGB(Color()));
    if (m_BorderStyle == sbsSunken)
        Frame3D(painter, rect, clBtnShadow, clBtnHighlight, 1);
    else if (m_BorderStyle == sbsSingle)
        Frame3D(painter, rect, clWindowFrame, clWindowFrame, 1);
    int flags = static_cast<int>(HorizontalAlignment(m_Alignment)) | Qt::AlignTop | Qt::TextWordWrap;
    if (m_ShowAccelChar)
        flags |= Qt::TextShowMnemonic;
    painter.setFont(Font()->ToQFont());
    painter.setPen(Enabled() ? ColorToRGB(Font()->Color()) : ColorToRGB(clGrayText));
    painter.drawText(rect, flags, GetText());
}

TEdit::TEdit(TComponent* AOwner) : TWinControl(AOwner, new QLineEdit) {
    SetColor(clWindow);
    SetBounds(0, 0, 121, 21);
    QObject::connect(LineEdit(), &QLineEdit::textChanged, this,
                     [this](QString const& text) { TControl::SetText(text); });
}

QLineEdit* TEdit::LineEdit() const {
    return static_cast<QLineEdit*>(Widget());
}

void TEdit::SetMaxLength(int Value) {
    m_MaxLength = Value;
    LineEdit()->setMaxLength(Value > 0 ? Value : 32767);
}

void TEdit::SetReadOnly(bool Value) {
    m_ReadOnly = Value;
    LineEdit()->setReadOnly(Value);
}

void TEdit::Change() {
    if (!IsLoading())
        DispatchEvent(m_OnChange, this);
}

void TEdit::TextChanged() {
    if (LineEdit()->text() != GetText())
        LineEdit()->setText(GetText());
    Change();
}

void TEdit::ColorChanged() {
    QPalette palette = Widget()->palette();
    palette.setColor(QPalette::Base, ColorToRGB(Color()));
    Widget()->setPalette(palette);
}

TButton::TButton(TComponent* AOwner) : TWinControl(AOwner, new QPushButton) {
    SetBounds(0, 0, 75, 25);
    QObject::connect(PushButton(), &QPushButton::clicked, this, [this] { Click(); });
}

QPushButton* TButton::PushButton() const {
    return static_cast<QPushButton*>(Widget());
}

void TButton::SetDefault(bool Value) {
    m_Default = Value;
    PushButton()->setDefault(Value);
}

void TButton::TextChanged() {
    PushButton()->setText(GetText());
}

TCheckBox::TCheckBox(TComponent* AOwner) : TWinControl(AOwner, new QCheckBox) {
    SetBounds(0, 0, 97, 17);
    QObject::connect(static_cast<QCheckBox*>(Widget()), &QCheckBox::stateChanged, this,
                     [this](int state) { WidgetStateChanged(state); });
}

void TCheckBox::SetAlignment(TAlignment Value) {
    m_Alignment = Value;
    Widget()->setLayoutDirection(Value == taLeftJustify ? Qt::RightToLeft : Qt::LeftToRight);
}

void TCheckBox::SetAllowGrayed(bool Value) {
    m_AllowGrayed = Value;
    static_cast<QCheckBox*>(Widget())->setTristate(Value);
}

void TCheckBox::SetState(TCheckBoxState Value) {
    if (Value == m_State)
        return;
    m_State = Value;
    auto* box = static_cast<QCheckBox*>(Widget());
    Qt::CheckState const wanted = Value == cbChecked  ? Qt::Checked
                                  : Value == cbGrayed ? Qt::PartiallyChecked
                                                      : Qt::Unchecked;
    if (box->checkState() != wanted)
        box->setCheckState(wanted);
    if (!IsLoading())
        Click();
}

void TCheckBox::WidgetStateChanged(int state) {
    SetState(state == Qt::Checked ? cbChecked : state == Qt::PartiallyChecked ? cbGrayed : cbUnchecked);
}

bool TCheckBox::IsPropertyStored(char const* PropertyName) const {
    // Checked and State say the same; State is written only for the grey state.
    if (std::strcmp(PropertyName, "State") == 0)
        return m_State == cbGrayed;
    return TWinControl::IsPropertyStored(PropertyName);
}

void TCheckBox::TextChanged() {
    static_cast<QCheckBox*>(Widget())->setText(GetText());
}

TGroupBox::TGroupBox(TComponent* AOwner) : TWinControl(AOwner, new QGroupBox) {
    SetTabStop(false);
    SetBounds(0, 0, 185, 105);
}

void TGroupBox::TextChanged() {
    static_cast<QGroupBox*>(Widget())->setTitle(GetText());
}
