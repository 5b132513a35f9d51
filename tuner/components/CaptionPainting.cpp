// TCaptionControl's painting: the caption rectangle, and the caption composed off-screen
// (background, icon, frame buttons, caption buttons, text) and copied to the window at once.
#include "CapCtrl.h"

#include "CaptionGradient.h"

#include "host/AnsiCodePage.h"

namespace {

void Fill(HDC DC, RECT const& Rect, COLORREF Colour) {
    HBRUSH const brush = CreateSolidBrush(Colour);
    FillRect(DC, &Rect, brush);
    DeleteObject(brush);
}

// An off-screen bitmap of W x H selected into a memory context like `Like`; released with it.
class TOffScreen {
  public:
    TOffScreen(HDC Like, int W, int H)
        : m_DC(CreateCompatibleDC(Like)), m_Bitmap(CreateCompatibleBitmap(Like, W, H)),
          m_Previous(SelectObject(m_DC, m_Bitmap)) {}
    ~TOffScreen() {
        SelectObject(m_DC, m_Previous);
        DeleteDC(m_DC);
        DeleteObject(m_Bitmap);
    }
    TOffScreen(TOffScreen const&) = delete;
    TOffScreen& operator=(TOffScreen const&) = delete;
    HDC DC() const { return m_DC; }

  private:
    HDC m_DC;
    HBITMAP m_Bitmap;
    HGDIOBJ m_Previous;
};

} // namespace

RECT TCaptionControl::CaptionRect() const {
    TForm* form = Form();
    TFormBorderStyle const style = form->BorderStyle();
    if (style == bsNone)
        return RECT{0, 0, 0, 0};
    RECT rect{0, 0, form->Width(), form->Height()};
    bool const sizing = style == bsSizeable || style == bsSizeToolWin;
    int const dx = GetSystemMetrics(sizing ? SM_CXFRAME : SM_CXDLGFRAME);
    int const dy = GetSystemMetrics(sizing ? SM_CYFRAME : SM_CYDLGFRAME);
    // A maximised form here has no frame at all, where Windows places the frame just outside
    // the screen: the caption starts at the window's edge.
    if (form->WindowState() != wsMaximized) {
        rect.left += dx;
        rect.top += dy;
        rect.right -= dx;
        rect.bottom -= dy;
    }
    rect.bottom = rect.top + GetSystemMetrics(IsToolWindow() ? SM_CYSMCAPTION : SM_CYCAPTION) - 1;
    return rect;
}

RECT TCaptionControl::PaintCaption(HDC DC) {
    RECT const caption = CaptionRect();
    int const w = caption.right - caption.left;
    int const h = caption.bottom - caption.top;
    if (w <= 0 || h <= 0)
        return caption;
    TOffScreen offScreen(DC, w, h);
    HDC const dc = offScreen.DC();
    PaintBackground(dc, w, h);
    RECT r{1, 0, w, h};
    TForm* form = Form();
    if (form->BorderIcons().testFlag(biSystemMenu) &&
        (form->BorderStyle() == bsSingle || form->BorderStyle() == bsSizeable))
        PaintIcon(dc, DC, r, h);
    PaintFrameButtons(dc, r);
    PaintText(dc, r);
    BitBlt(DC, caption.left, caption.top, w, h, dc, 0, 0, SRCCOPY);
    return caption;
}

void TCaptionControl::PaintBackground(HDC DC, int W, int H) const {
    if (m_CaptionGradient == cgNone || (m_CaptionGradient == cgActive && !m_IsActive)) {
        Fill(DC, RECT{0, 0, W, H}, GetSysColor(m_IsActive ? COLOR_ACTIVECAPTION : COLOR_INACTIVECAPTION));
        return;
    }
    for (int k = 0; k < m_ColorBands; ++k)
        Fill(DC, RECT{BandEdge(k, W, m_ColorBands), 0, BandEdge(k + 1, W, m_ColorBands), H},
             GradientColor(m_IsActive, k));
}

void TCaptionControl::PaintIcon(HDC DC, HDC WindowDC, RECT& R, int H) const {
    COLORREF const background = m_CaptionGradient != cgNone
                                    ? RGB(0, 0, 0)
                                    : GetSysColor(m_IsActive ? COLOR_ACTIVECAPTION : COLOR_INACTIVECAPTION);
    {
        TOffScreen icon(WindowDC, H, H);
        // The system draws the icon on the inactive caption colour; that colour becomes the
        // colour at the caption's left end.
        Form()->DrawCaption(icon.DC(), R, DC_ICON);
        if (!(m_CaptionGradient == cgActive && !m_IsActive)) {
            COLORREF const system = GetSysColor(COLOR_INACTIVECAPTION);
            for (int y = 0; y < H; ++y)
                for (int x = 0; x < H; ++x)
                    if (GetPixel(icon.DC(), x, y) == system)
                        SetPixel(icon.DC(), x, y, background);
        }
        BitBlt(DC, R.left - 2, R.top, H, H, icon.DC(), 0, 0, SRCCOPY);
    }
    R.left += H - 1;
}

void TCaptionControl::PaintFrameButtons(HDC DC, RECT& R) {
    TForm* form = Form();
    TBorderIcons const icons = form->BorderIcons();
    bool const system = icons.testFlag(biSystemMenu);
    RECT b{R.left + 2, R.top + 2, R.right - 2, R.bottom - 2};
    // A frame button the mouse holds down is drawn pushed, as the system draws it then.
    THitTest const held = form->PressedFrameButton();
    auto pushed = [held](THitTest button) { return held == button ? DFCS_PUSHED : 0; };
    if (IsToolWindow()) {
        b.left = b.right - GetSystemMetrics(SM_CXSMSIZE) + 2;
        DrawFrameControl(DC, &b, DFC_CAPTION, DFCS_CAPTIONCLOSE | pushed(htClose));
        R.right = b.left - 2;
        return;
    }
    m_ButtonWidth = GetSystemMetrics(SM_CXSMICON) - 2;
    b.left = b.right - m_ButtonWidth - 2;
    if (system)
        DrawFrameControl(DC, &b, DFC_CAPTION, DFCS_CAPTIONCLOSE | pushed(htClose));
    if (form->BorderStyle() != bsDialog && system && (icons & (biMaximize | biMinimize))) {
        b.left -= m_ButtonWidth + 4;
        b.right -= m_ButtonWidth + 4;
        DrawFrameControl(DC, &b, DFC_CAPTION,
                         (m_IsMaximized ? DFCS_CAPTIONRESTORE : DFCS_CAPTIONMAX) | pushed(htMaxButton) |
                             (icons.testFlag(biMaximize) ? 0 : DFCS_INACTIVE));
        b.left -= m_ButtonWidth + 2;
        b.right -= m_ButtonWidth + 2;
        DrawFrameControl(DC, &b, DFC_CAPTION,
                         DFCS_CAPTIONMIN | pushed(htMinButton) | (icons.testFlag(biMinimize) ? 0 : DFCS_INACTIVE));
    }
    if ((form->ExStyle() & WS_EX_CONTEXTHELP) && !(form->WindowStyle() & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX))) {
        if (system) {
            b.left -= m_ButtonWidth + 4;
            b.right -= m_ButtonWidth + 4;
        }
        DrawFrameControl(DC, &b, DFC_CAPTION, DFCS_CAPTIONHELP | pushed(htHelp));
    }
    if (system)
        R.right = b.left - 2;
    if (m_ShowButtons && m_Buttons->Count() > 0)
        PaintCaptionButtons(DC, b, R);
}

void TCaptionControl::PaintText(HDC DC, RECT const& R) {
    RECT t = R;
    t.left += 2;
    COLORREF colour = RGB(255, 255, 255);
    if (m_CaptionGradient == cgNone)
        colour = GetSysColor(m_IsActive ? COLOR_CAPTIONTEXT : COLOR_INACTIVECAPTIONTEXT);
    else if (m_CaptionGradient == cgActive && !m_IsActive)
        colour = GetSysColor(COLOR_INACTIVECAPTIONTEXT);
    int const oldMode = SetBkMode(DC, TRANSPARENT);
    COLORREF const oldColour = SetTextColor(DC, colour);
    HGDIOBJ const oldFont = m_CaptionFont ? SelectObject(DC, m_CaptionFont) : nullptr;
    auto restore = [&] {
        if (oldFont)
            SelectObject(DC, oldFont);
        SetBkMode(DC, oldMode);
        SetTextColor(DC, oldColour);
    };
    try {
        QString text = Form()->Caption();
        bool drawn = false;
        if (OnDrawCaption)
            OnDrawCaption(this, text, DC, t, drawn);
        if (!drawn) {
            UINT const format = DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS |
                                (m_CaptionDirection == dirRight ? DT_RIGHT : DT_LEFT) |
                                (m_RtlReading ? DT_RTLREADING : 0);
            std::string const ansi = host::to_ansi(text);
            DrawTextA(DC, ansi.c_str(), -1, &t, format);
        }
    } catch (...) {
        restore();
        throw;
    }
    restore();
}
