// The form (a top-level window drawing its own Windows 95 frame) and the application object:
// title, main form, message loop, the error box and the information box.
//
// A form is created from its form description with ReadForm: the components are created in form
// order and owned by the form, their properties set, then OnCreate runs. Width and Height are the
// outer size, frame included, on any desktop; controls are placed in the client area below the
// caption and the menu bar.
//
// The frame's messages go through the form's window procedure, WindowProc, which a component
// may replace with its own and hand on to the previous one (the way a window is subclassed):
//   WM_NCPAINT     WParam: the region of the frame to paint (HRGN, screen coordinates), or 1 for
//                  the whole frame; paint on the device context of GetWindowDC
//   WM_NCACTIVATE  WParam: whether the form is now active
//   WM_SIZE        WParam: SIZE_RESTORED, SIZE_MINIMIZED or SIZE_MAXIMIZED; LParam: client size
//   WM_SETTEXT     LParam: the new caption as a NUL-terminated ANSI string
//   WM_SYSCOLORCHANGE  after SetSysColors
//   WM_NCHITTEST   LParam: screen point; Result: the hit-test code (THitTest)
//   WM_NCLBUTTONDOWN, WM_NCLBUTTONDBLCLK, WM_NCRBUTTONDOWN, WM_NCRBUTTONUP
//                  WParam: hit-test code; LParam: screen point
//   WM_MOUSEMOVE, WM_LBUTTONUP, WM_LBUTTONDBLCLK, WM_RBUTTONUP
//                  while the form has the mouse captured (SetCapture); LParam: client point
//   WM_SYSCOMMAND  WParam: SC_CLOSE, SC_MINIMIZE, SC_MAXIMIZE, SC_RESTORE, SC_MOVE, SC_SIZE,
//                  SC_MOUSEMENU, SC_KEYMENU (LParam ' ': the system menu, 0: the menu bar)
// WndProc, the default procedure, paints the Windows 95 frame and moves, sizes, minimises,
// maximises and closes the form; a maximised form fills the work area of its screen and goes
// back to its former place and size when restored.
#pragma once

#include "Controls.h"
#include "FormFrame.h"
#include "Menus.h"
#include "Messages.h"

#include <QApplication>

class QMenuBar;
class TFormWindow;

class TForm : public TWinControl {
    Q_OBJECT
    Q_PROPERTY(FormTypes::TBorderIcons BorderIcons READ BorderIcons WRITE SetBorderIcons)
    Q_PROPERTY(FormTypes::TFormBorderStyle BorderStyle READ BorderStyle WRITE SetBorderStyle)
    Q_PROPERTY(QString Caption READ Caption WRITE SetCaption)
    Q_PROPERTY(int ClientHeight READ ClientHeight WRITE SetClientHeight STORED false)
    Q_PROPERTY(int ClientWidth READ ClientWidth WRITE SetClientWidth STORED false)
    Q_PROPERTY(TPicture* Icon READ Icon)
    Q_PROPERTY(TMainMenu* Menu READ Menu WRITE SetMenu)
    Q_PROPERTY(int PixelsPerInch READ PixelsPerInch WRITE SetPixelsPerInch)
    Q_PROPERTY(FormTypes::TPosition Position READ Position WRITE SetPosition)
    Q_PROPERTY(int TextHeight READ TextHeight WRITE SetTextHeight)
    Q_PROPERTY(FormTypes::TWindowState WindowState READ WindowState WRITE SetWindowState)
    Q_PROPERTY(TNotifyEvent OnCreate READ OnCreate WRITE SetOnCreate)
    Q_PROPERTY(TNotifyEvent OnDestroy READ OnDestroy WRITE SetOnDestroy)
    Q_PROPERTY(TNotifyEvent OnShow READ OnShow WRITE SetOnShow)
  public:
    explicit TForm(TComponent* AOwner);
    ~TForm() override;

    // Reads the form description into this form (raising EReadError), then runs OnCreate.
    void ReadForm(QString const& Text);

    QWidget* ClientWidget() const override;
    QMenuBar* MenuBar() const;

    TBorderIcons BorderIcons() const { return m_Style.BorderIcons; }
    void SetBorderIcons(TBorderIcons Value);
    TFormBorderStyle BorderStyle() const { return m_Style.BorderStyle; }
    void SetBorderStyle(TFormBorderStyle Value);
    QString Caption() const { return GetText(); }
    void SetCaption(QString const& Value) { SetText(Value); }
    int ClientWidth() const override;
    int ClientHeight() const override;
    void SetClientWidth(int Value);
    void SetClientHeight(int Value);
    TPicture* Icon() const { return m_Icon.get(); }
    TMainMenu* Menu() const { return m_Menu; }
    void SetMenu(TMainMenu* Value);
    int PixelsPerInch() const { return m_PixelsPerInch; }
    void SetPixelsPerInch(int Value) { m_PixelsPerInch = Value; }
    TPosition Position() const { return m_Position; }
    void SetPosition(TPosition Value) { m_Position = Value; }
    int TextHeight() const { return m_TextHeight; }
    void SetTextHeight(int Value) { m_TextHeight = Value; }
    TWindowState WindowState() const { return m_WindowState; }
    void SetWindowState(TWindowState Value);

    TNotifyEvent OnCreate() const { return m_OnCreate; }
    void SetOnCreate(TNotifyEvent const& Value) { m_OnCreate = Value; }
    TNotifyEvent OnDestroy() const { return m_OnDestroy; }
    void SetOnDestroy(TNotifyEvent const& Value) { m_OnDestroy = Value; }
    TNotifyEvent OnShow() const { return m_OnShow; }
    void SetOnShow(TNotifyEvent const& Value) { m_OnShow = Value; }

    void SetVisible(bool Value) override;
    // Hides the form; closing the main form ends the application's message loop.
    void Close();
    bool Active() const;

    // The form's window procedure; starts as WndProc.
    TWndMethod WindowProc;
    virtual void WndProc(TMessage& Message);
    // Sends a message through WindowProc and returns its result.
    LRESULT Perform(UINT Msg, WPARAM WParam, LPARAM LParam);
    // Captures the mouse to the form's window, as SetCapture does, until ReleaseCapture.
    void SetCapture();
    void ReleaseCapture();
    bool HasCapture() const;

    // The frame's geometry for the form's current size and style.
    TFrameStyle FrameStyle() const;
    TFrameLayout Layout() const;

    // A device context for the whole window, frame included, in window coordinates (as
    // GetWindowDC gives); ReleaseDC lets it go and shows what was drawn.
    HDC GetWindowDC();
    void ReleaseDC(HDC DC);
    // What SetWindowPos with SWP_FRAMECHANGED does: the frame is laid out and painted again.
    void FrameChanged();
    // The frame button (htClose, htMaxButton, htMinButton) drawn pushed while the mouse holds
    // it; htNowhere when none.
    THitTest PressedFrameButton() const;
    // DrawCaption for the form's window: its small icon and caption.
    BOOL DrawCaption(HDC DC, RECT const& Rect, UINT Flags);
    // The window styles the border style and icons stand for (WS_THICKFRAME, WS_SYSMENU,
    // WS_MINIMIZEBOX, ...), and the extended style: WS_EX_CONTEXTHELP for the help icon on a
    // dialog or a form without minimise and maximise, WS_EX_TOOLWINDOW, and the flags set here.
    DWORD WindowStyle() const;
    DWORD ExStyle() const;
    // Sets the flags the border does not decide (WS_EX_RIGHT, WS_EX_RTLREADING, ...).
    void SetExStyle(DWORD Value);

  protected:
    void ApplyBounds() override;
    void ApplyVisibility() override;
    void TextChanged() override;
    void ColorChanged() override;
    void Notification(TComponent* AComponent, bool Inserted) override;
    virtual void DoCreate();
    virtual void DoDestroy();

  private:
    friend class TFormWindow;
    void RebuildMenuBar();
    void LayoutWindow();
    void SystemCommand(WPARAM Command, LPARAM Key);
    TFormWindow* Window() const;

    TFrameStyle m_Style;
    std::unique_ptr<TPicture> m_Icon;
    TMainMenu* m_Menu = nullptr;
    int m_PixelsPerInch = 96;
    TPosition m_Position = poDesigned;
    int m_TextHeight = 13;
    TWindowState m_WindowState = wsNormal;
    QRect m_RestoreBounds; // the place and size of the normal window while maximised or minimised
    bool m_Shown = false;
    TNotifyEvent m_OnCreate;
    TNotifyEvent m_OnDestroy;
    TNotifyEvent m_OnShow;
    DWORD m_ExStyle = 0;
    int m_ColourListener = 0;
};

class TApplication : public TComponent {
    Q_OBJECT
  public:
    // Creates the Qt application when there is none yet; sets the global Application.
    TApplication(int& argc, char** argv);
    ~TApplication() override;

    QString Title() const { return m_Title; }
    void SetTitle(QString const& Value) { m_Title = Value; }
    TForm* MainForm() const { return m_MainForm; }

    // Creates a form owned by the application; the first one becomes the main form.
    template <class T> T* CreateForm() {
        T* form = new T(this);
        if (!m_MainForm)
            m_MainForm = form;
        return form;
    }
    // Shows the main form and runs the message loop until it closes; returns the exit code.
    int Run();
    void Terminate();
    // Handles the window messages that are waiting, then returns.
    void ProcessMessages();

    // The error box: the message with a full stop appended when its last character sorts after
    // ".", the title as caption, the error icon and OK. The program carries on.
    void ShowException(QString const& Message);
    void HandleException(std::exception_ptr Error);
    // A message box captioned `Caption` (the title when empty); returns the button's id.
    int MessageBox(QString const& Text, QString const& Caption, unsigned Flags);

  protected:
    void Notification(TComponent* AComponent, bool Inserted) override;

  private:
    std::unique_ptr<QApplication> m_OwnQApplication;
    QString m_Title;
    TForm* m_MainForm = nullptr;
};

extern TApplication* Application;

// The information box: the text, the application title as caption and one OK button.
void ShowMessage(QString const& Msg);

// Registers the framework's classes with the form reader; called by TApplication.
void RegisterFormClasses();
