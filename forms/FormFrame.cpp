// Geometry, hit testing and painting of the Windows 95 frame.
#include "forms/FormFrame.h"

#include "forms/Graphics.h"

namespace {

bool IsToolWindow(TFormBorderStyle style) {
    return style == bsToolWindow || style == bsSizeToolWin;
}

bool IsSizeable(TFormBorderStyle style) {
    return style == bsSizeable || style == bsSizeToolWin;
}

// `kind` htMaxButton with `restore`: the restore glyph a maximised window shows.
void PaintButton(QPainter& painter, QRect const& rect, THitTest kind, bool pressed, bool enabled,
                 bool restore = false) {
    QRect r = rect;
    // A raised (or pushed) 2-pixel button edge around the face.
    if (pressed) {
        Frame3D(painter, r, cl3DDkShadow, clBtnHighlight, 1);
        Frame3D(painter, r, clBtnShadow, cl3DLight, 1);
    } else {
        Frame3D(painter, r, cl3DLight, cl3DDkShadow, 1);
        Frame3D(painter, r, clBtnHighlight, clBtnShadow, 1);
    }
    painter.fillRect(r, ColorToRGB(clBtnFace));
    QPoint const shift = pressed ? QPoint(1, 1) : QPoint(0, 0);
    auto glyph = [&](QColor color, QPoint offset) {
        QRect const g = QRect(rect.left() + 4, rect.top() + 3, 8, 7).translated(shift + offset);
        switch (kind) {
        case htClose:
            for (int i = 0; i < 7; ++i) {
                painter.fillRect(QRect(g.left() + i, g.top() + i, 2, 1), color);
                painter.fillRect(QRect(g.left() + 6 - i, g.top() + i, 2, 1), color);
            }
            break;
        case htMinButton:
            painter.fillRect(QRect(g.left(), g.bottom() - 1, 6, 2), color);
            break;
        case htMaxButton:
            if (restore) {
                // Two overlapping windows: the back one up and right, the front one down and left.
                painter.fillRect(QRect(g.left() + 2, g.top() - 1, 6, 2), color);
                painter.fillRect(QRect(g.left() + 7, g.top() + 1, 1, 4), color);
                painter.fillRect(QRect(g.left() + 6, g.top() + 4, 1, 1), color);
                painter.fillRect(QRect(g.left() + 2, g.top() + 1, 1, 1), color);
                painter.fillRect(QRect(g.left(), g.top() + 2, 6, 2), color);
                painter.fillRect(QRect(g.left(), g.top() + 4, 1, 3), color);
                painter.fillRect(QRect(g.left() + 5, g.top() + 4, 1, 3), color);
                painter.fillRect(QRect(g.left(), g.top() + 7, 6, 1), color);
                break;
            }
            painter.fillRect(QRect(g.left(), g.top(), 9, 2), color);
            painter.fillRect(QRect(g.left(), g.top(), 1, 8), color);
            painter.fillRect(QRect(g.left() + 8, g.top(), 1, 8), color);
            painter.fillRect(QRect(g.left(), g.top() + 7, 9, 1), color);
            break;
        default:
            break;
        }
    };
    if (enabled) {
        glyph(ColorToRGB(clBtnText), QPoint(0, 0));
    } else {
        glyph(ColorToRGB(clBtnHighlight), QPoint(1, 1));
        glyph(ColorToRGB(clBtnShadow), QPoint(0, 0));
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
    int const buttonWidth = IsToolWindow(Style.BorderStyle) ? SM_CYSMCAPTION_95 - 3 : SM_CXSIZE_95;
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
          std::pair{Layout.MinButton, htMinButton}, std::pair{Layout.Icon, htSysMenu}})
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
    QFont font(QStringLiteral("Liberation Sans"));
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(11);
    font.setBold(true);
    Painter.setFont(font);
    Painter.setPen(ColorToRGB(Paint.Active ? clCaptionText : clInactiveCaptionText));
    QString const text = QFontMetrics(font).elidedText(Paint.Caption, Qt::ElideRight, Layout.Text.width());
    Painter.drawText(Layout.Text, Qt::AlignVCenter | Qt::AlignLeft | Qt::TextSingleLine, text);
    if (!Layout.CloseButton.isNull())
        PaintButton(Painter, Layout.CloseButton, htClose, Paint.Pressed == htClose, true);
    if (!Layout.MaxButton.isNull())
        PaintButton(Painter, Layout.MaxButton, htMaxButton, Paint.Pressed == htMaxButton,
                    Style.BorderIcons.testFlag(biMaximize), Style.Maximized);
    if (!Layout.MinButton.isNull())
        PaintButton(Painter, Layout.MinButton, htMinButton, Paint.Pressed == htMinButton,
                    Style.BorderIcons.testFlag(biMinimize));
}
