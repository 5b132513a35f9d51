// The extra caption buttons: the list and its form-description property, the faces, and
// TCaptionControl's layout, hit test and press handling of them.
#include "CapCtrl.h"

#include "host/AnsiCodePage.h"

#include <QMetaEnum>

#include <cstring>
#include <utility>

namespace {

// The symbol-font character of each kind drawn with "Wingdings"; 0 for the other kinds.
char SymbolOf(int Kind) {
    switch (Kind) {
    case cbkDocument:
        return 0x32;
    case cbkFolder:
        return 0x30;
    case cbkMail:
        return 0x2B;
    case cbkDownArrow:
        return static_cast<char>(0xEA);
    case cbkUpArrow:
        return static_cast<char>(0xE9);
    case cbkLeftArrow:
        return static_cast<char>(0xE7);
    case cbkRightArrow:
        return static_cast<char>(0xE8);
    case cbkFlag:
        return 0x4F;
    case cbkCool:
        return 0x4A;
    default:
        return 0;
    }
}

bool IsShape(int Kind) {
    return Kind == cbkOk || Kind == cbkRollUp || Kind == cbkRollDown || Kind == cbkWindow;
}

bool ReadBool(TFormValue const& Value) {
    if (Value.kind == TFormValue::Kind::Ident) {
        if (Value.text.compare(QStringLiteral("True"), Qt::CaseInsensitive) == 0)
            return true;
        if (Value.text.compare(QStringLiteral("False"), Qt::CaseInsensitive) == 0)
            return false;
    }
    throw Exception(QStringLiteral("Boolean expected in the button list"));
}

QString ReadString(TFormValue const& Value) {
    if (Value.kind != TFormValue::Kind::String && Value.kind != TFormValue::Kind::Ident)
        throw Exception(QStringLiteral("String expected in the button list"));
    return Value.text;
}

TFormValue BoolValue(bool Value) {
    return TFormValue::Ident(Value ? QStringLiteral("True") : QStringLiteral("False"));
}

void DrawShape(int Kind, HDC DC, RECT const& S, int M, HBRUSH TitleBrush, QPoint Offset) {
    int const l = S.left + Offset.x();
    int const t = S.top + Offset.y();
    int const r = S.right + Offset.x();
    int const b = S.bottom + Offset.y();
    switch (Kind) {
    case cbkRollUp:
        Rectangle(DC, l, t, r, t + M);
        break;
    case cbkRollDown:
        Rectangle(DC, l, t, r, t + M);
        Rectangle(DC, l, b - M, r, b);
        break;
    case cbkOk: {
        int const cx = l + (r - l) / 2;
        int const cy = t + (b - t) / 2;
        POINT const points[] = {{l, cy},     {cx - M, b},         {cx - 1, b},        {r, t},
                                {r - M + 1, t}, {cx - M + M / 3, b - M}, {l + M, cy}};
        Polygon(DC, points, 7);
        break;
    }
    case cbkWindow: {
        Rectangle(DC, l, t, r, b);
        HGDIOBJ const previous = SelectObject(DC, TitleBrush);
        Rectangle(DC, l, t, r, t + M + 1);
        SelectObject(DC, previous);
        break;
    }
    default:
        break;
    }
}

} // namespace

QString KindName(int Kind) {
    QMetaEnum const names = QMetaEnum::fromType<TCaptionButtonKind>();
    char const* name = Kind >= cbkCustom && Kind <= cbkCool ? names.valueToKey(Kind) : nullptr;
    return QLatin1String(name ? name : "cbkCustom");
}

TCaptionButtonKind KindFromName(QString const& Name) {
    QMetaEnum const names = QMetaEnum::fromType<TCaptionButtonKind>();
    for (int i = 0; i < names.keyCount(); ++i)
        if (Name == QLatin1String(names.key(i)))
            return static_cast<TCaptionButtonKind>(names.value(i));
    return cbkCustom;
}

bool TCaptionButton::Draw(HDC DC, RECT const& G) {
    if (IsShape(Kind)) {
        int const m = ((G.right - G.left) * 17) / 100;
        RECT const s{G.left + m, G.top + m, G.right - m - 1, G.bottom - m - 1};
        HGDIOBJ const oldPen = SelectObject(DC, GetStockObject(BLACK_PEN));
        HGDIOBJ const oldBrush = SelectObject(DC, GetStockObject(BLACK_BRUSH));
        HPEN const shadowPen = CreatePen(PS_SOLID, 1, GetSysColor(COLOR_BTNSHADOW));
        HBRUSH const captionBrush = CreateSolidBrush(GetSysColor(COLOR_ACTIVECAPTION));
        auto const light = static_cast<HBRUSH>(GetStockObject(LTGRAY_BRUSH));
        auto const dark = static_cast<HBRUSH>(GetStockObject(DKGRAY_BRUSH));
        if (Enabled) {
            if (Kind == cbkWindow)
                SelectObject(DC, GetStockObject(WHITE_BRUSH));
            DrawShape(Kind, DC, s, m, captionBrush, QPoint(0, 0));
        } else {
            // Embossed: a white copy one pixel down and right, then the figure in shadow.
            SelectObject(DC, GetStockObject(WHITE_PEN));
            SelectObject(DC, Kind == cbkWindow ? light : static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
            DrawShape(Kind, DC, s, m, light, QPoint(1, 1));
            SelectObject(DC, shadowPen);
            SelectObject(DC, Kind == cbkWindow ? light : dark);
            DrawShape(Kind, DC, s, m, dark, QPoint(0, 0));
        }
        SelectObject(DC, oldPen);
        SelectObject(DC, oldBrush);
        DeleteObject(shadowPen);
        DeleteObject(captionBrush);
        return true;
    }

    char const symbol = SymbolOf(Kind);
    HFONT font = nullptr;
    if (symbol) {
        LOGFONTA face{};
        face.lfHeight = -((G.bottom - G.top) * 31 / 40);
        face.lfCharSet = SYMBOL_CHARSET;
        std::strncpy(face.lfFaceName, "Wingdings", LF_FACESIZE - 1);
        font = CreateFontIndirectA(&face);
    } else {
        NONCLIENTMETRICSA metrics{};
        metrics.cbSize = sizeof metrics;
        if (SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, 0, &metrics, 0))
            font = CreateFontIndirectA(&metrics.lfSmCaptionFont);
    }
    if (!font)
        return false;
    std::string text;
    if (symbol)
        text = std::string(1, symbol);
    else if (Kind == cbkCustom)
        text = host::to_ansi(Caption);
    else if (Kind == cbkMore)
        text = "...";
    else
        text = " ";
    HGDIOBJ const oldFont = SelectObject(DC, font);
    int const oldMode = SetBkMode(DC, TRANSPARENT);
    UINT const format = DT_SINGLELINE | DT_CENTER | DT_VCENTER;
    COLORREF oldColour = 0;
    if (Enabled) {
        oldColour = SetTextColor(DC, GetSysColor(COLOR_BTNTEXT));
        RECT g = G;
        DrawTextA(DC, text.c_str(), -1, &g, format);
    } else {
        oldColour = SetTextColor(DC, GetSysColor(COLOR_BTNHIGHLIGHT));
        RECT moved{G.left + 1, G.top + 1, G.right + 1, G.bottom + 1};
        DrawTextA(DC, text.c_str(), -1, &moved, format);
        SetTextColor(DC, GetSysColor(COLOR_BTNSHADOW));
        RECT g = G;
        DrawTextA(DC, text.c_str(), -1, &g, format);
    }
    SelectObject(DC, oldFont);
    SetBkMode(DC, oldMode);
    SetTextColor(DC, oldColour);
    DeleteObject(font);
    return true;
}

TCaptionButtonsList::~TCaptionButtonsList() {
    Clear();
}

TCaptionButton* TCaptionButtonsList::Items(int Index) const {
    return Index >= 0 && Index < Count() ? m_Buttons[static_cast<size_t>(Index)].get() : nullptr;
}

void TCaptionButtonsList::Add(TCaptionButton* Button) {
    if (Button)
        m_Buttons.emplace_back(Button);
}

void TCaptionButtonsList::Delete(int Index) {
    if (Index >= 0 && Index < Count())
        m_Buttons.erase(m_Buttons.begin() + Index);
}

void TCaptionButtonsList::Clear() {
    while (Count() > 0)
        Delete(0);
}

void TCaptionButtonsList::DefineProperties(TFiler& Filer) {
    Filer.DefineProperty(
        QStringLiteral("Buttons"),
        [this](TFormValue const& Value) {
            if (Value.kind != TFormValue::Kind::List || Value.items.size() % 5 != 0)
                throw Exception(QStringLiteral("Button list expected: five values for each button"));
            // Checked whole before the list changes, so that a bad list loses nothing.
            std::vector<std::unique_ptr<TCaptionButton>> read;
            for (size_t i = 0; i < Value.items.size(); i += 5) {
                auto button = std::make_unique<TCaptionButton>();
                button->Caption = ReadString(Value.items[i]);
                button->Enabled = ReadBool(Value.items[i + 1]);
                button->Visible = ReadBool(Value.items[i + 2]);
                button->Pushed = ReadBool(Value.items[i + 3]);
                button->Kind = KindFromName(ReadString(Value.items[i + 4]));
                read.push_back(std::move(button));
            }
            Clear();
            for (auto& button : read)
                Add(button.release());
        },
        [this] {
            std::vector<TFormValue> items;
            for (auto const& button : m_Buttons) {
                items.push_back(TFormValue::String(button->Caption));
                items.push_back(BoolValue(button->Enabled));
                items.push_back(BoolValue(button->Visible));
                items.push_back(BoolValue(button->Pushed));
                items.push_back(TFormValue::String(KindName(button->Kind)));
            }
            return TFormValue::List(std::move(items));
        },
        Count() > 0);
}

void TCaptionControl::PaintCaptionButtons(HDC DC, RECT& B, RECT& R) {
    int const count = m_Buttons->Count();
    if (m_ButtonsDirection == dirRight) {
        for (int i = 0; i < count; ++i)
            B.left -= m_Buttons->Items(i)->IsSeparator() ? 4 : m_ButtonWidth + 2;
        R.right = B.left - 2;
    } else {
        B = RECT{R.left + 2, R.top + 2, R.right - 2, R.bottom - 2};
    }
    m_FirstButtonLeft = B.left;
    B.right = B.left + m_ButtonWidth + 2;
    for (int i = 0; i < count; ++i) {
        TCaptionButton* button = m_Buttons->Items(i);
        bool const last = i == count - 1;
        if (button->IsSeparator()) {
            if (!last) {
                B.left += 2;
                B.right += 2;
            }
            continue;
        }
        bool const pushedLook = button->Pushed || (i == m_PressedIndex && m_PressedLook && button->Enabled);
        if (button->Visible) {
            DrawFrameControl(DC, &B, DFC_BUTTON, DFCS_BUTTONPUSH | (pushedLook ? DFCS_PUSHED : 0));
            RECT g = B;
            if (pushedLook) {
                g.left += 2;
                g.top += 2;
            }
            bool drawn = false;
            if (OnButtonDraw)
                OnButtonDraw(this, i, DC, g, drawn);
            if (!drawn)
                button->Draw(DC, g);
        }
        if (!last) {
            B.left += m_ButtonWidth + 2;
            B.right += m_ButtonWidth + 2;
        }
    }
    if (m_ButtonsDirection == dirLeft)
        R.left = B.right + 2;
}

int TCaptionControl::ButtonAt(QPoint WindowPoint) const {
    if (m_Buttons->Count() == 0 || !m_ShowButtons || IsToolWindow())
        return -1;
    RECT const caption = CaptionRect();
    int left = m_FirstButtonLeft + 2;
    for (int i = 0; i < m_Buttons->Count(); ++i) {
        TCaptionButton const* button = m_Buttons->Items(i);
        bool const separator = button->IsSeparator();
        QRect const slot(QPoint(left, caption.top), QPoint(left + m_ButtonWidth + 2 - 1, caption.bottom - 1));
        if (!separator && button->Visible && slot.contains(WindowPoint))
            return i;
        left += separator ? 2 : m_ButtonWidth + 2;
    }
    return -1;
}

QPoint TCaptionControl::ClientToWindow(LPARAM Point) const {
    return QPoint(LParamX(Point), LParamY(Point)) + Form()->Layout().Client.topLeft();
}

void TCaptionControl::LeftDown(TMessage& Message) {
    QPoint const screen(LParamX(Message.LParam), LParamY(Message.LParam));
    m_PressedIndex = ButtonAt(screen - Form()->BoundsRect().topLeft());
    if (m_PressedIndex < 0) {
        PassOn(Message);
        return;
    }
    // Not handed on: the form would take a press on its caption for the start of a move.
    Form()->SetCapture();
    if (m_Buttons->Items(m_PressedIndex)->Enabled)
        m_PressedLook = true;
    RefreshFrame();
    Message.Result = 1;
}

void TCaptionControl::MouseMove(TMessage& Message) {
    if (m_PressedIndex < 0) {
        PassOn(Message);
        return;
    }
    bool const over = ButtonAt(ClientToWindow(Message.LParam)) == m_PressedIndex;
    if (over != m_PressedLook) {
        m_PressedLook = over;
        RefreshFrame();
    }
    Message.Result = 1;
}

void TCaptionControl::LeftUp(TMessage& Message) {
    m_PressedLook = false;
    int const pressed = std::exchange(m_PressedIndex, -1);
    // Back to idle and the capture released whatever the click handler does.
    struct TRelease {
        TForm* Form;
        ~TRelease() { Form->ReleaseCapture(); }
    } const release{Form()};
    if (pressed < 0) {
        PassOn(Message);
        return;
    }
    if (ButtonAt(ClientToWindow(Message.LParam)) == pressed) {
        bool pushed = m_Buttons->Items(pressed)->Pushed;
        if (OnButtonClick)
            OnButtonClick(this, pressed, pushed);
        // The handler may have changed the list.
        if (TCaptionButton* button = m_Buttons->Items(pressed))
            button->Pushed = pushed;
    }
    RefreshFrame();
    Message.Result = 1;
}
