// The form: its window, frame layout, menu bar, creation and closing.
#include "forms/Forms.h"

#include "forms/FormReader.h"
#include "forms/FormWindow.h"
#include "forms/Menus.h"
#include "host/AnsiCodePage.h"
#include "host/DesktopStates.h"
#include "host/FrameDrawing.h"

#include <QMenuBar>
#include <QScreen>

TForm::TForm(TComponent* AOwner)
    : TWinControl(AOwner, new TFormWindow(this)), m_Icon(std::make_unique<TPicture>()) {
    WindowProc = [this](TMessage& Message) { WndProc(Message); };
    m_Icon->OnChange = [this] {
        Widget()->setWindowIcon(QIcon(QPixmap::fromImage(m_Icon->Image())));
        Widget()->update();
    };
    SetParentFont(false);
    SetVisible(false);
    SetShowHint(false);
    SetBounds(0, 0, 320, 240);
    ColorChanged();
    m_ColourListener = host::add_system_colour_listener([this] { Perform(WM_SYSCOLORCHANGE, 0, 0); });
}

TForm::~TForm() {
    host::remove_system_colour_listener(m_ColourListener);
    // The classic order: OnDestroy, then the components, while the form is still whole.
    DoDestroy();
    SetMenu(nullptr);
    DestroyComponents();
    WindowProc = nullptr;
    Window()->Detach();
}

void TForm::ReadForm(QString const& Text) {
    ReadComponentText(this, Text);
    DoCreate();
}

TFormWindow* TForm::Window() const {
    return static_cast<TFormWindow*>(Widget());
}

QWidget* TForm::ClientWidget() const {
    return Window()->Client();
}

QMenuBar* TForm::MenuBar() const {
    return Window()->MenuBar();
}

void TForm::SetBorderIcons(TBorderIcons Value) {
    if (Value == m_Style.BorderIcons)
        return;
    m_Style.BorderIcons = Value;
    LayoutWindow();
}

void TForm::SetBorderStyle(TFormBorderStyle Value) {
    if (Value == m_Style.BorderStyle)
        return;
    m_Style.BorderStyle = Value;
    LayoutWindow();
}

TFrameStyle TForm::FrameStyle() const {
    return m_Style;
}

TFrameLayout TForm::Layout() const {
    return FrameLayout(BoundsRect().size(), m_Style);
}

HDC TForm::GetWindowDC() {
    return host::create_image_dc(Window()->FrameImage());
}

void TForm::ReleaseDC(HDC DC) {
    if (!DC)
        return;
    DeleteDC(DC);
    // Drawn outside a paint: the window shows the frame image again.
    if (!Window()->Painting())
        Window()->update();
}

void TForm::FrameChanged() {
    LayoutWindow();
    Window()->update();
}

THitTest TForm::PressedFrameButton() const {
    return Window()->PressedButton();
}

BOOL TForm::DrawCaption(HDC DC, RECT const& Rect, UINT Flags) {
    return host::draw_caption_on(DC, Rect, Flags, m_Icon->Image(), Caption());
}

DWORD TForm::WindowStyle() const {
    DWORD style = WS_VISIBLE;
    switch (m_Style.BorderStyle) {
    case bsNone:
        return WS_POPUP | style;
    case bsSingle:
    case bsToolWindow:
        style |= WS_CAPTION | WS_BORDER;
        break;
    case bsSizeable:
    case bsSizeToolWin:
        style |= WS_CAPTION | WS_THICKFRAME;
        break;
    case bsDialog:
        style |= WS_POPUP | WS_CAPTION;
        break;
    }
    if (m_Style.BorderIcons.testFlag(biSystemMenu)) {
        style |= WS_SYSMENU;
        bool const framed = m_Style.BorderStyle != bsDialog && m_Style.BorderStyle != bsToolWindow &&
                            m_Style.BorderStyle != bsSizeToolWin;
        if (framed && m_Style.BorderIcons.testFlag(biMinimize))
            style |= WS_MINIMIZEBOX;
        if (framed && m_Style.BorderIcons.testFlag(biMaximize))
            style |= WS_MAXIMIZEBOX;
    }
    return style;
}

DWORD TForm::ExStyle() const {
    DWORD style = m_ExStyle;
    if (m_Style.BorderStyle == bsDialog)
        style |= WS_EX_DLGMODALFRAME;
    if (m_Style.BorderStyle == bsToolWindow || m_Style.BorderStyle == bsSizeToolWin)
        style |= WS_EX_TOOLWINDOW;
    if (m_Style.BorderIcons.testFlag(biHelp) && m_Style.BorderIcons.testFlag(biSystemMenu) &&
        (m_Style.BorderStyle == bsDialog || !(m_Style.BorderIcons & (biMinimize | biMaximize))))
        style |= WS_EX_CONTEXTHELP;
    return style;
}

void TForm::SetExStyle(DWORD Value) {
    DWORD const own = Value & ~(WS_EX_DLGMODALFRAME | WS_EX_TOOLWINDOW | WS_EX_CONTEXTHELP);
    if (own == m_ExStyle)
        return;
    m_ExStyle = own;
    Window()->update();
}

int TForm::ClientWidth() const {
    return Layout().Client.width();
}

int TForm::ClientHeight() const {
    return Layout().Client.height();
}

void TForm::SetClientWidth(int Value) {
    SetBounds(Left(), Top(), Width() - ClientWidth() + Value, Height());
}

void TForm::SetClientHeight(int Value) {
    SetBounds(Left(), Top(), Width(), Height() - ClientHeight() + Value);
}

void TForm::SetMenu(TMainMenu* Value) {
    if (Value == m_Menu)
        return;
    if (m_Menu)
        m_Menu->OnChange = nullptr;
    m_Menu = Value;
    if (m_Menu)
        m_Menu->OnChange = [this] { RebuildMenuBar(); };
    RebuildMenuBar();
}

void TForm::RebuildMenuBar() {
    QMenuBar* bar = MenuBar();
    bar->clear();
    bool const hasMenu = m_Menu && m_Menu->Items()->Count() > 0;
    if (hasMenu)
        for (int i = 0; i < m_Menu->Items()->Count(); ++i)
            bar->addAction(m_Menu->Items()->Items(i)->Action());
    if (hasMenu != m_Style.HasMenu) {
        // The outer size stays; the client area gives up the menu's height.
        m_Style.HasMenu = hasMenu;
        LayoutWindow();
        Realign();
    }
}

void TForm::SetWindowState(TWindowState Value) {
    if (Value == m_WindowState)
        return;
    if (m_WindowState == wsNormal)
        m_RestoreBounds = BoundsRect();
    m_WindowState = Value;
    m_Style.Maximized = Value == wsMaximized;
    if (Widget()->isVisible()) {
        if (Value == wsMinimized)
            host::minimize_widget(Widget());
        else if (Value == wsMaximized)
            host::maximize_widget(Widget());
        else
            host::restore_widget(Widget(), m_RestoreBounds);
    }
    LayoutWindow();
}

void TForm::SetVisible(bool Value) {
    bool const showing = Value && !Visible();
    TWinControl::SetVisible(Value);
    if (showing)
        DispatchEvent(m_OnShow, this);
}

void TForm::ApplyVisibility() {
    QWidget* window = Widget();
    if (!Visible()) {
        window->hide();
        return;
    }
    if (!m_Shown && m_Position == poScreenCenter) {
        if (QScreen* screen = QGuiApplication::primaryScreen()) {
            QRect const area = screen->availableGeometry();
            SetBounds(area.x() + (area.width() - Width()) / 2, area.y() + (area.height() - Height()) / 2,
                      Width(), Height());
        }
    }
    m_Shown = true;
    if (m_WindowState == wsMinimized) {
        window->showMinimized();
    } else {
        window->show();
        if (m_WindowState == wsMaximized)
            host::maximize_widget(window);
    }
    window->raise();
    window->activateWindow();
}

void TForm::Close() {
    Hide();
    if (Application && Application->MainForm() == this)
        Application->Terminate();
}

bool TForm::Active() const {
    return Window()->LooksActive();
}

void TForm::ApplyBounds() {
    QRect const bounds = BoundsRect();
    if (Widget()->geometry() != bounds)
        Widget()->setGeometry(bounds);
    LayoutWindow();
}

void TForm::LayoutWindow() {
    TFrameLayout const layout = Layout();
    Window()->LayoutFrame(layout);
    Realign();
    WPARAM const state = m_WindowState == wsMaximized   ? SIZE_MAXIMIZED
                         : m_WindowState == wsMinimized ? SIZE_MINIMIZED
                                                        : SIZE_RESTORED;
    Perform(WM_SIZE, state, PointToLParam(layout.Client.width(), layout.Client.height()));
}

void TForm::TextChanged() {
    std::string const text = host::to_ansi(GetText());
    Perform(WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

LRESULT TForm::Perform(UINT Msg, WPARAM WParam, LPARAM LParam) {
    TMessage message{Msg, WParam, LParam, 0};
    if (WindowProc)
        WindowProc(message);
    else
        WndProc(message);
    return message.Result;
}

void TForm::SetCapture() {
    Window()->SetCaptured(true);
}

void TForm::ReleaseCapture() {
    Window()->SetCaptured(false);
}

bool TForm::HasCapture() const {
    return Window()->Captured();
}

void TForm::WndProc(TMessage& Message) {
    TFormWindow* window = Window();
    QPoint const point(LParamX(Message.LParam), LParamY(Message.LParam));
    switch (Message.Msg) {
    case WM_NCPAINT: {
        HDC const dc = GetWindowDC();
        // Only the region asked for, given in screen coordinates; 1 (or anything that is not a
        // region) asks for all of it.
        if (Message.WParam != 1 && SelectClipRgn(dc, reinterpret_cast<HRGN>(Message.WParam)) != ERROR)
            OffsetClipRgn(dc, -Left(), -Top());
        host::paint_on_dc(dc, [window](QPainter& painter) { window->PaintNonClient(painter); });
        ReleaseDC(dc);
        break;
    }
    case WM_SYSCOLORCHANGE:
        ColorChanged();
        window->update();
        break;
    case WM_NCACTIVATE:
        window->update();
        Message.Result = 1;
        break;
    case WM_SETTEXT:
        window->setWindowTitle(host::from_ansi(reinterpret_cast<char const*>(Message.LParam)));
        window->update();
        Message.Result = 1;
        break;
    case WM_NCHITTEST:
        Message.Result = FrameHitTest(Layout(), BoundsRect().size(), m_Style, window->mapFromGlobal(point));
        break;
    case WM_NCLBUTTONDOWN:
        window->NcLeftButtonDown(static_cast<THitTest>(Message.WParam), point);
        break;
    case WM_NCLBUTTONDBLCLK:
        window->NcLeftButtonDoubleClick(static_cast<THitTest>(Message.WParam));
        break;
    case WM_NCRBUTTONUP:
        window->NcRightButtonUp(static_cast<THitTest>(Message.WParam));
        break;
    case WM_SYSCOMMAND:
        SystemCommand(Message.WParam, Message.LParam);
        break;
    default:
        break;
    }
}

void TForm::SystemCommand(WPARAM Command, LPARAM Key) {
    TFormWindow* window = Window();
    switch (Command & 0xFFF0) {
    case SC_CLOSE:
        Close();
        break;
    case SC_MINIMIZE:
        SetWindowState(wsMinimized);
        break;
    case SC_MAXIMIZE:
        SetWindowState(wsMaximized);
        break;
    case SC_RESTORE:
        SetWindowState(wsNormal);
        break;
    case SC_MOVE:
    case SC_SIZE:
        window->BeginKeyboardTracking((Command & 0xFFF0) == SC_SIZE);
        break;
    case SC_MOUSEMENU:
        window->ShowSystemMenu(true);
        break;
    case SC_KEYMENU:
        if (Key == ' ')
            window->ShowSystemMenu(false);
        else
            window->SelectMenuBar();
        break;
    default:
        break;
    }
}

void TForm::ColorChanged() {
    QWidget* client = ClientWidget();
    QPalette palette = client->palette();
    palette.setColor(QPalette::Window, ColorToRGB(Color()));
    client->setPalette(palette);
    for (int i = 0; i < ControlCount(); ++i)
        if (Controls(i)->ParentColor())
            Controls(i)->ParentChanged();
}

void TForm::Notification(TComponent* AComponent, bool Inserted) {
    TWinControl::Notification(AComponent, Inserted);
    if (!Inserted && AComponent == m_Menu)
        SetMenu(nullptr);
}

void TForm::DoCreate() {
    DispatchEvent(m_OnCreate, this);
}

void TForm::DoDestroy() {
    DispatchEvent(m_OnDestroy, this);
}
