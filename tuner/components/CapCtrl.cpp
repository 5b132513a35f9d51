// TCaptionControl: construction, the hook on the form's window procedure, the properties and
// the messages it handles. The painting is in CaptionPainting.cpp, the buttons in
// CaptionButtons.cpp.
#include "CapCtrl.h"

#include "CaptionGradient.h"

#include "host/kernel32.h"

namespace {

// A message after which the frame is refreshed, as after WM_SETTEXT.
constexpr UINT RefreshingMessage = 0x003F;

QString const OwnerMustBeForm = QStringLiteral("Owner must be a form.");
QString const OnlyOnePerForm = QStringLiteral("Only one TCaptionControl per form is allowed.");
QString const NeedsWindows95 = QStringLiteral("Operating system must be Windows 95/NT 4.0 or greater.");

} // namespace

TCaptionControl::TCaptionControl(TComponent* AOwner)
    : TComponent(AOwner), m_Buttons(std::make_unique<TCaptionButtonsList>()) {
    auto* form = qobject_cast<TForm*>(AOwner);
    if (!form)
        throw ECaptionError(OwnerMustBeForm);
    for (int i = 0; i < form->ComponentCount(); ++i)
        if (form->Components(i) != this && qobject_cast<TCaptionControl*>(form->Components(i)))
            throw ECaptionError(OnlyOnePerForm);
    OSVERSIONINFOA version{};
    version.dwOSVersionInfoSize = sizeof version;
    if (!GetVersionExA(&version) || version.dwMajorVersion < 4 || version.dwPlatformId == VER_PLATFORM_WIN32s)
        throw ECaptionError(NeedsWindows95);

    m_OldWindowProc = form->WindowProc;
    form->WindowProc = [this](TMessage& Message) { HookedWindowProc(Message); };
    m_Hooked = true;

    // The form's OnDestroy runs the component's handler first; it keeps the form's method name,
    // so that a form description written later still names the form's own handler.
    m_SavedOnDestroy = form->OnDestroy();
    m_DestroyHandler = TNotifyEvent([this](TObject* Sender) { FormDestroy(Sender); }, m_SavedOnDestroy.Name());
    form->SetOnDestroy(m_DestroyHandler);

    RebuildGradient();

    NONCLIENTMETRICSA metrics{};
    metrics.cbSize = sizeof metrics;
    if (SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, 0, &metrics, 0))
        m_CaptionFont = CreateFontIndirectA(IsToolWindow() ? &metrics.lfSmCaptionFont : &metrics.lfCaptionFont);
}

TCaptionControl::~TCaptionControl() {
    Unhook();
    if (TForm* form = qobject_cast<TForm*>(Owner()); form && m_DestroyHandler && form->OnDestroy() == m_DestroyHandler)
        form->SetOnDestroy(m_SavedOnDestroy);
    if (m_CaptionFont)
        DeleteObject(m_CaptionFont);
}

TForm* TCaptionControl::Form() const {
    return static_cast<TForm*>(Owner());
}

bool TCaptionControl::IsToolWindow() const {
    TFormBorderStyle const style = Form()->BorderStyle();
    return style == bsToolWindow || style == bsSizeToolWin;
}

void TCaptionControl::Unhook() {
    if (!m_Hooked || m_Unhooked)
        return;
    if (TForm* form = qobject_cast<TForm*>(Owner()))
        form->WindowProc = m_OldWindowProc;
    m_Unhooked = true;
}

void TCaptionControl::FormDestroy(TObject* Sender) {
    try {
        Unhook();
    } catch (...) {
    }
    try {
        if (m_SavedOnDestroy)
            m_SavedOnDestroy(Sender);
    } catch (...) {
    }
}

// What SetWindowPos with SWP_NOSIZE, SWP_NOMOVE, SWP_NOZORDER, SWP_NOACTIVATE and
// SWP_FRAMECHANGED does: the frame is laid out and painted again.
void TCaptionControl::RefreshFrame() {
    Form()->FrameChanged();
}

void TCaptionControl::RebuildGradient() {
    m_GradientTable[0] = GradientRow(GetSysColor(COLOR_INACTIVECAPTION), m_ColorBands);
    m_GradientTable[1] = GradientRow(GetSysColor(COLOR_ACTIVECAPTION), m_ColorBands);
}

void TCaptionControl::SetCaptionGradient(TCaptionGradient Value) {
    if (Value == m_CaptionGradient)
        return;
    m_CaptionGradient = Value;
    RefreshFrame();
}

void TCaptionControl::SetShowButtons(bool Value) {
    if (Value == m_ShowButtons)
        return;
    m_ShowButtons = Value;
    RefreshFrame();
}

void TCaptionControl::SetButtonsDirection(TDirection Value) {
    if (Value == m_ButtonsDirection)
        return;
    m_ButtonsDirection = Value;
    RefreshFrame();
}

void TCaptionControl::SetEnabled(bool Value) {
    if (Value == m_Enabled)
        return;
    m_Enabled = Value;
    RefreshFrame();
}

void TCaptionControl::SetColorBands(int Value) {
    if (Value < 8 || Value > 255 || Value == m_ColorBands)
        return;
    m_ColorBands = Value;
    RebuildGradient();
    RefreshFrame();
}

void TCaptionControl::SetExStyleFlag(DWORD Flag, bool On) {
    DWORD const style = Form()->ExStyle();
    Form()->SetExStyle(On ? style | Flag : style & ~Flag);
}

void TCaptionControl::SetCaptionDirection(TDirection Value) {
    if (Value == m_CaptionDirection)
        return;
    m_CaptionDirection = Value;
    SetExStyleFlag(WS_EX_RIGHT, Value == dirRight);
}

void TCaptionControl::SetWindowDirection(TDirection Value) {
    if (GetSystemMetrics(SM_MIDEASTENABLED) == 0 || Value == m_WindowDirection)
        return;
    m_WindowDirection = Value;
    SetExStyleFlag(WS_EX_LEFTSCROLLBAR, Value == dirRight);
}

void TCaptionControl::SetRtlReading(bool Value) {
    if (GetSystemMetrics(SM_MIDEASTENABLED) == 0 || Value == m_RtlReading)
        return;
    m_RtlReading = Value;
    SetExStyleFlag(WS_EX_RTLREADING, Value);
}

void TCaptionControl::PassOn(TMessage& Message) {
    TMessage passed{Message.Msg, Message.WParam, Message.LParam, 0};
    if (m_OldWindowProc)
        m_OldWindowProc(passed);
    else
        Form()->WndProc(passed);
    Message.Result = passed.Result;
}

// WM_SIZE and WM_NCACTIVATE repaint the caption at once; what fails there leaves the frame the
// form's own procedure painted.
void TCaptionControl::PaintOnWindow() {
    if (!m_Enabled)
        return;
    HDC const dc = Form()->GetWindowDC();
    try {
        PaintCaption(dc);
    } catch (...) {
    }
    Form()->ReleaseDC(dc);
}

void TCaptionControl::HookedWindowProc(TMessage& Message) {
    switch (Message.Msg) {
    case WM_SIZE:
        m_IsMaximized = Message.WParam == SIZE_MAXIMIZED;
        PassOn(Message);
        PaintOnWindow();
        return;
    case WM_SETTEXT:
    case RefreshingMessage:
        PassOn(Message);
        RefreshFrame();
        return;
    case WM_SYSCOLORCHANGE:
        RebuildGradient();
        PassOn(Message);
        return;
    case WM_NCPAINT:
        if (m_Enabled)
            NcPaint(Message);
        else
            PassOn(Message);
        return;
    case WM_NCACTIVATE:
        m_IsActive = Message.WParam != 0;
        PassOn(Message);
        PaintOnWindow();
        return;
    default:
        break;
    }
    if (!m_Enabled) {
        PassOn(Message);
        return;
    }
    switch (Message.Msg) {
    case WM_NCLBUTTONDOWN:
    case WM_NCLBUTTONDBLCLK:
        LeftDown(Message);
        return;
    case WM_MOUSEMOVE:
        MouseMove(Message);
        return;
    case WM_LBUTTONUP:
    case WM_LBUTTONDBLCLK:
        LeftUp(Message);
        return;
    case WM_NCRBUTTONDOWN:
        // Any right press in the frame: the system menu does not open.
        Form()->SetCapture();
        m_RightPressed = true;
        Message.Result = 1;
        return;
    case WM_RBUTTONUP:
    case WM_RBUTTONDBLCLK:
        if (m_RightPressed && m_PopupMenu && m_PopupMenu->AutoPopup()) {
            QPoint const client(LParamX(Message.LParam), LParamY(Message.LParam));
            QPoint const screen = client + Form()->BoundsRect().topLeft() + Form()->Layout().Client.topLeft();
            m_PopupMenu->Popup(screen.x(), screen.y());
            Message.Result = 1;
        } else {
            PassOn(Message);
        }
        m_RightPressed = false;
        Form()->ReleaseCapture();
        return;
    default:
        PassOn(Message);
        return;
    }
}

void TCaptionControl::NcPaint(TMessage& Message) {
    TForm* form = Form();
    HDC const dc = form->GetWindowDC();
    QRect const bounds = form->BoundsRect();
    RECT const window{bounds.left(), bounds.top(), bounds.left() + bounds.width(), bounds.top() + bounds.height()};
    auto region = reinterpret_cast<HRGN>(Message.WParam);
    HRGN created = nullptr;
    auto release = [&] {
        if (created)
            DeleteObject(created);
        form->ReleaseDC(dc);
    };
    try {
        if (SelectClipRgn(dc, region) == ERROR) {
            // 1 (the whole frame) or anything else that is not a region.
            created = CreateRectRgn(window.left, window.top, window.right, window.bottom);
            SelectClipRgn(dc, created);
            region = created;
        }
        OffsetClipRgn(dc, -window.left, -window.top);
        RECT const caption = PaintCaption(dc);
        // The form's own procedure paints the rest of the frame, without the caption.
        ExcludeClipRect(dc, caption.left, caption.top, caption.right, caption.bottom);
        OffsetClipRgn(dc, window.left, window.top);
        GetClipRgn(dc, region);
        TMessage passed{WM_NCPAINT, reinterpret_cast<WPARAM>(region), Message.LParam, 0};
        PassOn(passed);
        Message.Result = passed.Result;
    } catch (...) {
        release();
        throw;
    }
    release();
}
