// Unit CapCtrl: the gradient caption painter and its caption buttons.
//
// TCaptionControl takes over the caption bar of the form that owns it. It subclasses the form's
// window procedure and paints the caption off-screen, in one copy to the window: a gradient from
// black to the system caption colour (or the flat caption colour), the window icon, the frame
// buttons, the extra caption buttons of its Buttons list and the caption text. A right click in
// the frame shows its PopupMenu. One per form.
//
// Ownership: the component is owned by its form; it owns its caption font and its Buttons list,
// which owns the buttons. It does not own PopupMenu. Thread: the GUI thread; everything happens
// inside the form's window procedure and the property setters.
#pragma once

#include "forms/Forms.h"
#include "forms/Menus.h"

#include <array>
#include <functional>
#include <memory>
#include <vector>

namespace CapCtrlTypes {
Q_NAMESPACE

enum TCaptionGradient { cgNone, cgActive, cgAlways };
Q_ENUM_NS(TCaptionGradient)

enum TDirection { dirLeft, dirRight };
Q_ENUM_NS(TDirection)

enum TCaptionButtonKind {
    cbkCustom,
    cbkOk,
    cbkRollUp,
    cbkRollDown,
    cbkDocument,
    cbkFolder,
    cbkWindow,
    cbkMail,
    cbkDownArrow,
    cbkUpArrow,
    cbkLeftArrow,
    cbkRightArrow,
    cbkMore,
    cbkFlag,
    cbkCool,
};
Q_ENUM_NS(TCaptionButtonKind)

} // namespace CapCtrlTypes

using namespace CapCtrlTypes;

// Raised by the component's constructor; the message is the text the user sees.
class ECaptionError : public Exception {
  public:
    using Exception::Exception;
};

// The name of a kind ("cbkOk" ... "cbkCool"; "cbkCustom" for any other value) and back, by exact
// comparison; an unknown name gives cbkCustom.
QString KindName(int Kind);
TCaptionButtonKind KindFromName(QString const& Name);

// One extra caption button. A Caption of exactly "-" makes it a separator: never drawn or hit.
class TCaptionButton : public TObject {
    Q_OBJECT
  public:
    TCaptionButton() = default;

    QString Caption;
    bool Enabled = true;  // a disabled button is drawn embossed and never looks pressed
    bool Visible = true;  // an invisible button keeps its slot but is neither drawn nor hit
    bool Pushed = false;  // latched pushed look
    int Kind = cbkCustom; // a TCaptionButtonKind; other values show a blank face

    bool IsSeparator() const { return Caption == QStringLiteral("-"); }
    // Draws the face in the glyph rectangle G of the device context; true when it drew.
    virtual bool Draw(HDC DC, RECT const& G);
};

// The buttons of a caption, in order, owned by the list. In a form description the list is the
// defined property "Buttons": a list of five values per button (caption, Enabled, Visible,
// Pushed, kind name), written only when the list is not empty.
class TCaptionButtonsList : public TPersistent {
    Q_OBJECT
  public:
    TCaptionButtonsList() = default;
    ~TCaptionButtonsList() override;

    int Count() const { return static_cast<int>(m_Buttons.size()); }
    // The button at Index; nullptr at or beyond Count (and below 0).
    TCaptionButton* Items(int Index) const;
    // Appends the button; the list owns it from now on.
    void Add(TCaptionButton* Button);
    // Frees the button at Index; nothing for an index at or beyond Count.
    void Delete(int Index);
    void Clear();

    void DefineProperties(TFiler& Filer) override;

  private:
    std::vector<std::unique_ptr<TCaptionButton>> m_Buttons;
};

class TCaptionControl;
// Lets the application change the caption text, or draw it (setting Drawn).
using TDrawCaptionEvent =
    std::function<void(TCaptionControl* Sender, QString& CaptionText, HDC DC, RECT const& Rect, bool& Drawn)>;
// Lets the application draw a caption button's face (setting Drawn).
using TCaptionButtonDrawEvent =
    std::function<void(TCaptionControl* Sender, int ButtonIndex, HDC DC, RECT const& Rect, bool& Drawn)>;
// A caption button was clicked; Pushed on return becomes the button's Pushed.
using TCaptionButtonClickEvent = std::function<void(TCaptionControl* Sender, int ButtonIndex, bool& Pushed)>;

class TCaptionControl : public TComponent {
    Q_OBJECT
    Q_PROPERTY(CapCtrlTypes::TCaptionGradient CaptionGradient READ CaptionGradient WRITE SetCaptionGradient)
    Q_PROPERTY(bool ShowButtons READ ShowButtons WRITE SetShowButtons)
    Q_PROPERTY(CapCtrlTypes::TDirection CaptionDirection READ CaptionDirection WRITE SetCaptionDirection)
    Q_PROPERTY(CapCtrlTypes::TDirection ButtonsDirection READ ButtonsDirection WRITE SetButtonsDirection)
    Q_PROPERTY(CapCtrlTypes::TDirection WindowDirection READ WindowDirection WRITE SetWindowDirection)
    Q_PROPERTY(bool RtlReading READ RtlReading WRITE SetRtlReading)
    Q_PROPERTY(bool Enabled READ Enabled WRITE SetEnabled)
    Q_PROPERTY(TCaptionButtonsList* Buttons READ Buttons)
    Q_PROPERTY(TPopupMenu* PopupMenu READ PopupMenu WRITE SetPopupMenu)
    Q_PROPERTY(int ColorBands READ ColorBands WRITE SetColorBands)
  public:
    // Raises ECaptionError when the owner is not a form, when the form already has a
    // TCaptionControl, or on a system older than Windows 95; the form is then left untouched.
    explicit TCaptionControl(TComponent* AOwner);
    ~TCaptionControl() override;

    TCaptionGradient CaptionGradient() const { return m_CaptionGradient; }
    void SetCaptionGradient(TCaptionGradient Value);
    bool ShowButtons() const { return m_ShowButtons; }
    void SetShowButtons(bool Value);
    TDirection CaptionDirection() const { return m_CaptionDirection; }
    void SetCaptionDirection(TDirection Value);
    TDirection ButtonsDirection() const { return m_ButtonsDirection; }
    void SetButtonsDirection(TDirection Value);
    // Ignored (stays dirLeft / false) on a system without Middle-East support.
    TDirection WindowDirection() const { return m_WindowDirection; }
    void SetWindowDirection(TDirection Value);
    bool RtlReading() const { return m_RtlReading; }
    void SetRtlReading(bool Value);
    bool Enabled() const { return m_Enabled; }
    void SetEnabled(bool Value);
    TCaptionButtonsList* Buttons() const { return m_Buttons.get(); }
    TPopupMenu* PopupMenu() const { return m_PopupMenu; }
    void SetPopupMenu(TPopupMenu* Value) { m_PopupMenu = Value; }
    int ColorBands() const { return m_ColorBands; }
    // 8 to 255; other values are ignored.
    void SetColorBands(int Value);

    TDrawCaptionEvent OnDrawCaption;
    TCaptionButtonDrawEvent OnButtonDraw;
    TCaptionButtonClickEvent OnButtonClick;

    // Asks the form to lay out and repaint its frame.
    void RefreshFrame();
    void RebuildGradient();
    // The caption bar in window coordinates; empty for a borderless form.
    RECT CaptionRect() const;
    // Paints the caption bar on a device context of the whole window; returns CaptionRect.
    RECT PaintCaption(HDC DC);
    // The caption button at a window point; -1 for none.
    int ButtonAt(QPoint WindowPoint) const;

    // Gradient colours: row 0 inactive, row 1 active.
    COLORREF GradientColor(bool Active, int Index) const { return m_GradientTable[Active ? 1 : 0][static_cast<size_t>(Index)]; }
    int PressedIndex() const { return m_PressedIndex; }
    bool PressedLook() const { return m_PressedLook; }
    bool IsActive() const { return m_IsActive; }

  protected:
    void HookedWindowProc(TMessage& Message);

  private:
    TForm* Form() const;
    void PassOn(TMessage& Message);
    void PaintOnWindow();
    void NcPaint(TMessage& Message);
    void FormDestroy(TObject* Sender);
    void Unhook();
    void SetExStyleFlag(DWORD Flag, bool On);
    bool IsToolWindow() const;
    // Paint steps, on the off-screen caption context of W x H.
    void PaintBackground(HDC DC, int W, int H) const;
    void PaintIcon(HDC DC, HDC WindowDC, RECT& R, int H) const;
    void PaintFrameButtons(HDC DC, RECT& R);
    void PaintCaptionButtons(HDC DC, RECT& B, RECT& R);
    void PaintText(HDC DC, RECT const& R);
    // Caption-button mouse handling.
    void LeftDown(TMessage& Message);
    void MouseMove(TMessage& Message);
    void LeftUp(TMessage& Message);
    QPoint ClientToWindow(LPARAM Point) const;

    std::array<std::array<COLORREF, 256>, 2> m_GradientTable{};
    HFONT m_CaptionFont = nullptr;
    TWndMethod m_OldWindowProc;
    TNotifyEvent m_SavedOnDestroy;
    TNotifyEvent m_DestroyHandler;
    bool m_Hooked = false;
    bool m_Unhooked = false;
    bool m_IsActive = false;
    bool m_IsMaximized = false;
    bool m_RightPressed = false;
    int m_ButtonWidth = 0;
    int m_FirstButtonLeft = 0;
    int m_PressedIndex = -1;
    bool m_PressedLook = false;

    TCaptionGradient m_CaptionGradient = cgActive;
    bool m_ShowButtons = true;
    TDirection m_CaptionDirection = dirLeft;
    TDirection m_ButtonsDirection = dirRight;
    TDirection m_WindowDirection = dirLeft;
    bool m_RtlReading = false;
    bool m_Enabled = true;
    std::unique_ptr<TCaptionButtonsList> m_Buttons;
    TPopupMenu* m_PopupMenu = nullptr;
    int m_ColorBands = 64;
};
