// The Windows 95 frame a form draws around its client area: sizing border, caption bar with icon,
// caption text and the minimise, maximise and close buttons, and the menu bar's place.
// Geometry (FrameLayout, FrameHitTest) is separate from painting (PaintFrame); both use it.
#pragma once

#include "Types.h"

#include <QImage>
#include <QPainter>
#include <QRect>
#include <QString>

// Windows 95 system metrics at 96 pixels per inch (GetSystemMetrics gives the same).
constexpr int SM_CXFRAME_95 = 4;    // sizing border
constexpr int SM_CXDLGFRAME_95 = 3; // fixed border
constexpr int SM_CYCAPTION_95 = 19; // caption bar with the line below it
constexpr int SM_CYSMCAPTION_95 = 15;
constexpr int SM_CYMENU_95 = 19;
constexpr int SM_CXSIZE_95 = 16; // caption button width
constexpr int SM_CYSIZE_95 = 14; // caption button height

// Hit-test codes, with the values of the Windows HT* constants.
enum THitTest {
    htNowhere = 0,
    htClient = 1,
    htCaption = 2,
    htSysMenu = 3,
    htMenu = 5,
    htMinButton = 8,
    htMaxButton = 9,
    htLeft = 10,
    htRight = 11,
    htTop = 12,
    htTopLeft = 13,
    htTopRight = 14,
    htBottom = 15,
    htBottomLeft = 16,
    htBottomRight = 17,
    htBorder = 18,
    htClose = 20,
    htHelp = 21,
};

struct TFrameStyle {
    TFormBorderStyle BorderStyle = bsSizeable;
    TBorderIcons BorderIcons = TBorderIcons(biSystemMenu | biMinimize | biMaximize);
    bool HasMenu = false;
    bool Maximized = false;
};

struct TFrameLayout {
    int Border = 0;  // frame width on every side
    QRect Caption;   // caption bar, without the line below it; empty for bsNone
    QRect Icon;      // empty when there is no icon
    QRect MinButton; // empty when absent
    QRect MaxButton;
    QRect CloseButton;
    QRect HelpButton; // the context-help button, on dialogs and forms without minimise or maximise
    QRect Text;   // where the caption text goes
    QRect Menu;   // the menu bar; empty without a menu
    QRect Client; // the client area
};

TFrameLayout FrameLayout(QSize Outer, TFrameStyle const& Style);
THitTest FrameHitTest(TFrameLayout const& Layout, QSize Outer, TFrameStyle const& Style, QPoint Point);
// The window's outer rectangle after the caption (htCaption: moving) or a sizing edge or corner
// was dragged by `Delta` from `Start`; a window keeps at least 100 by 30 pixels.
QRect DraggedGeometry(QRect const& Start, THitTest Hit, QPoint Delta);

struct TFramePaint {
    bool Active = true;
    QString Caption;
    QImage Icon;
    THitTest Pressed = htNowhere; // a caption button drawn pushed
};

// Paints border and caption (not the menu bar or the client area).
void PaintFrame(QPainter& Painter, TFrameLayout const& Layout, QSize Outer, TFrameStyle const& Style,
                TFramePaint const& Paint);
