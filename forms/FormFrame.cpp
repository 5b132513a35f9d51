// Geometry, hit testing and painting of the Windows 95 frame.
#include "forms/FormFrame.h"

#include "forms/Graphics.h"
#include "host/FrameDrawing.h"

namespace {

bool IsToolWindow(TFormBorderStyle style) {
    return style == bsToolWindow || style == bsSizeToolWin;
}

bool IsSizeable(TFormBorderStyle style) {
    return style == bsSizeable || style == bsSizeToolWin;
}

// The state DrawFrameControl draws a caption button of `kind` in.
UINT ButtonState(THitTest kind, TFrameStyle const& Style) {
    switch (kind) {
    case htClose:
        return DFCS_CAPTIONCLOSE;
    case htMinButton:
        return DFCS_CAPTIONMIN;
    case htMaxButton:
        return Style.Maximized ? DFCS_CAPTIONRESTORE : DFCS_CAPTIONMAX;
    default:
        return DFCS_CAPTIONHELP;
    }
}

} // namespace

TFrameLayout FrameLayout(QSize Outer, TFrameStyle const& Style) {
    TFrameLayout layout;
    int const w = Outer.width();
    int const h = Outer.height();
    if (Style.BorderStyle == bsNone) {
        layout.Client = QRect(0, 0, w, h);
        return layout;
    }
    int const border = Style.Maximized ? 0 : IsSizeable(Style.BorderStyle) ? SM_CXFRAME_95 : SM_CXDLGFRAME_95;
    int const captionHeight = IsToolWindow(Style.BorderStyle) ? SM_CYSMCAPTION_95 : SM_CYCAPTION_95;
    layout.Border = border;
    layout.Caption = QRect(border, border, w - 2 * border, captionHeight - 1);
    int right = layout.Caption.right() - 2;
    int const top = layout.Caption.top() + 2;
    bool const system = Style.BorderIcons.testFlag(biSystemMenu);
    int const buttonWidth = IsToolWindow(Style.BorderStyle) ? GetSystemMetrics(SM_CXSMSIZE) - 2 : SM_CXSIZE_95;
    int const buttonHeight = IsToolWindow(Style.BorderStyle) ? SM_CYSMCAPTION_95 - 5 : SM_CYSIZE_95;
    if (system) {
        layout.CloseButton = QRect(right - buttonWidth + 1, top, buttonWidth, buttonHeight);
        right = layout.CloseButton.left() - 3;
        bool const minMax = Style.BorderIcons & (biMinimize | biMaximize);
        if (minMax && !IsToolWindow(Style.BorderStyle) && Style.BorderStyle != bsDialog) {
            layout.MaxButton = QRect(right - SM_CXSIZE_95 + 1, top, SM_CXSIZE_95, SM_CYSIZE_95);
            layout.MinButton = layout.MaxButton.translated(-SM_CXSIZE_95, 0);
            right = layout.MinButton.left() - 3;
        }
        bool const help = Style.BorderIcons.testFlag(biHelp) && !IsToolWindow(Style.BorderStyle) &&
                          (Style.BorderStyle == bsDialog || !minMax);
        if (help) {
            layout.HelpButton = QRect(right - SM_CXSIZE_95 + 1, top, SM_CXSIZE_95, SM_CYSIZE_95);
            right = layout.HelpButton.left() - 3;
        }
        if (!IsToolWindow(Style.BorderStyle) && Style.BorderStyle != bsDialog)
            layout.Icon = QRect(layout.Caption.left() + 2, layout.Caption.top() + 1, 16, 16);
    }
    int const textLeft = layout.Icon.isNull() ? layout.Caption.left() + 2 : layout.Icon.right() + 3;
    layout.Text =
        QRect(textLeft, layout.Caption.top(), std::max(0, right - textLeft + 1), layout.Caption.height());
    int clientTop = border + captionHeight;
    if (Style.HasMenu) {
        layout.Menu = QRect(border, clientTop, w - 2 * border, SM_CYMENU_95);
        clientTop += SM_CYMENU_95;
    }
    layout.Client =
        QRect(border, clientTop, std::max(0, w - 2 * border), std::max(0, h - border - clientTop));
    return layout;
}

THitTest FrameHitTest(TFrameLayout const& Layout, QSize Outer, TFrameStyle const& Style, QPoint Point) {
    if (!QRect(QPoint(0, 0), Outer).contains(Point))
        return htNowhere;
    if (Layout.Client.contains(Point))
        return htClient;
    for (auto [rect, code] :
         {std::pair{Layout.CloseButton, htClose}, std::pair{Layout.MaxButton, htMaxButton},
          std::pair{Layout.MinButton, htMinButton}, std::pair{Layout.HelpButton, htHelp},
          std::pair{Layout.Icon, htSysMenu}})
        if (!rect.isNull() && rect.contains(Point))
            return code;
    if (Layout.Caption.contains(Point))
        return htCaption;
    if (!Layout.Menu.isNull() && Layout.Menu.contains(Point))
        return htMenu;
    if (!IsSizeable(Style.BorderStyle) || Style.Maximized)
        return htBorder;
    // The corners take a caption-height stretch of each edge, as on Windows.
    int const corner = SM_CYCAPTION_95 + Layout.Border;
    int const x = Point.x();
    int const y = Point.y();
    bool const left = x < corner;
    bool const right = x >= Outer.width() - corner;
    bool const top = y < corner;
    bool const bottom = y >= Outer.height() - corner;
    if (x < Layout.Border)
        return top ? htTopLeft : bottom ? htBottomLeft : htLeft;
    if (x >= Outer.width() - Layout.Border)
        return top ? htTopRight : bottom ? htBottomRight : htRight;
    if (y < Layout.Border)
        return left ? htTopLeft : right ? htTopRight : htTop;
    if (y >= Outer.height() - Layout.Border)
        return left ? htBottomLeft : right ? htBottomRight : htBottom;
    return htBorder;
}

QRect DraggedGeometry(QRect const& Start, THitTest Hit, QPoint Delta) {
    constexpr int minimumWidth = 100;
    constexpr int minimumHeight = 30;
    QRect g = Start;
    if (Hit == htCaption) {
        g.moveTopLeft(g.topLeft() + Delta);
        return g;
    }
    if (Hit == htLeft || Hit == htTopLeft || Hit == htBottomLeft)
        g.setLeft(std::min(g.left() + Delta.x(), g.right() - minimumWidth));
    if (Hit == htRight || Hit == htTopRight || Hit == htBottomRight)
        g.setRight(std::max(g.right() + Delta.x(), g.left() + minimumWidth));
    if (Hit == htTop || Hit == htTopLeft || Hit == htTopRight)
        g.setTop(std::min(g.top() + Delta.y(), g.bottom() - minimumHeight));
    if (Hit == htBottom || Hit == htBottomLeft || Hit == htBottomRight)
        g.setBottom(std::max(g.bottom() + Delta.y(), g.top() + minimumHeight));
    return g;
}

void PaintFrame(QPainter& Painter, TFrameLayout const& Layout, QSize Outer, TFrameStyle const& Style,
                TFramePaint const& Paint) {
    if (Style.BorderStyle == bsNone)
        return;
    QRect rect(QPoint(0, 0), Outer);
    Painter.fillRect(rect, ColorToRGB(Paint.Active ? clActiveBorder : clInactiveBorder));
    if (Layout.Border > 0) {
        Frame3D(Painter, rect, cl3DLight, cl3DDkShadow, 1);
        Frame3D(Painter, rect, clBtnHighlight, clBtnShadow, 1);
    }
    Painter.fillRect(Layout.Caption, ColorToRGB(Paint.Active ? clActiveCaption : clInactiveCaption));
    // The line below the caption bar.
    Painter.fillRect(QRect(Layout.Caption.left(), Layout.Caption.bottom() + 1, Layout.Caption.width(), 1),
                     ColorToRGB(clBtnFace));
    if (!Layout.Icon.isNull() && !Paint.Icon.isNull())
        Painter.drawImage(Layout.Icon, Paint.Icon);
    QFont const font = host::caption_font(IsToolWindow(Style.BorderStyle));
    Painter.setFont(font);
    Painter.setPen(ColorToRGB(Paint.Active ? clCaptionText : clInactiveCaptionText));
    QString const text = QFontMetrics(font).elidedText(Paint.Caption, Qt::ElideRight, Layout.Text.width());
    Painter.drawText(Layout.Text, Qt::AlignVCenter | Qt::AlignLeft | Qt::TextSingleLine, text);
    for (auto [rect, kind] : {std::pair{Layout.CloseButton, htClose}, std::pair{Layout.MaxButton, htMaxButton},
                              std::pair{Layout.MinButton, htMinButton}, std::pair{Layout.HelpButton, htHelp}}) {
        if (rect.isNull())
            continue;
        bool const enabled = kind == htMaxButton   ? Style.BorderIcons.testFlag(biMaximize)
                             : kind == htMinButton ? Style.BorderIcons.testFlag(biMinimize)
                                                   : true;
        UINT const state = ButtonState(kind, Style) | (Paint.Pressed == kind ? DFCS_PUSHED : 0) |
                           (enabled ? 0 : DFCS_INACTIVE);
        host::draw_frame_control(Painter, rect, DFC_CAPTION, state);
    }
}
