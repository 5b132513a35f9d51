// The enumerations, sets and colours of the form framework. They are registered with Qt's
// meta-object system so that form descriptions store them by value name (`taCenter`,
// `[fsBold, fsItalic]`, `clNavy`).
#pragma once

#include <QFlags>
#include <QObject>

namespace FormTypes {
Q_NAMESPACE

// Colours: 0x00BBGGRR for an explicit colour; 0x80000000 + n names system colour n.
enum TColor : int {
    clBlack = 0x000000,
    clMaroon = 0x000080,
    clGreen = 0x008000,
    clOlive = 0x008080,
    clNavy = 0x800000,
    clPurple = 0x800080,
    clTeal = 0x808000,
    clGray = 0x808080,
    clSilver = 0xC0C0C0,
    clRed = 0x0000FF,
    clLime = 0x00FF00,
    clYellow = 0x00FFFF,
    clBlue = 0xFF0000,
    clFuchsia = 0xFF00FF,
    clAqua = 0xFFFF00,
    clWhite = 0xFFFFFF,
    clScrollBar = int(0x80000000),
    clBackground = int(0x80000001),
    clActiveCaption = int(0x80000002),
    clInactiveCaption = int(0x80000003),
    clMenu = int(0x80000004),
    clWindow = int(0x80000005),
    clWindowFrame = int(0x80000006),
    clMenuText = int(0x80000007),
    clWindowText = int(0x80000008),
    clCaptionText = int(0x80000009),
    clActiveBorder = int(0x8000000A),
    clInactiveBorder = int(0x8000000B),
    clAppWorkSpace = int(0x8000000C),
    clHighlight = int(0x8000000D),
    clHighlightText = int(0x8000000E),
    clBtnFace = int(0x8000000F),
    clBtnShadow = int(0x80000010),
    clGrayText = int(0x80000011),
    clBtnText = int(0x80000012),
    clInactiveCaptionText = int(0x80000013),
    clBtnHighlight = int(0x80000014),
    cl3DDkShadow = int(0x80000015),
    cl3DLight = int(0x80000016),
    clInfoText = int(0x80000017),
    clInfoBk = int(0x80000018),
    clNone = 0x1FFFFFFF,
    clDefault = 0x20000000,
};
Q_ENUM_NS(TColor)

enum TFontCharset : int {
    ANSI_CHARSET = 0,
    DEFAULT_CHARSET = 1,
    SYMBOL_CHARSET = 2,
    OEM_CHARSET = 255,
};
Q_ENUM_NS(TFontCharset)

enum TFontStyle { fsBold = 0x1, fsItalic = 0x2, fsUnderline = 0x4, fsStrikeOut = 0x8 };
Q_DECLARE_FLAGS(TFontStyles, TFontStyle)
Q_FLAG_NS(TFontStyles)

enum TFontPitch { fpDefault, fpVariable, fpFixed };
Q_ENUM_NS(TFontPitch)

enum TAlignment { taLeftJustify, taRightJustify, taCenter };
Q_ENUM_NS(TAlignment)

enum TAlign { alNone, alTop, alBottom, alLeft, alRight, alClient };
Q_ENUM_NS(TAlign)

enum TTextLayout { tlTop, tlCenter, tlBottom };
Q_ENUM_NS(TTextLayout)

enum TBevelCut { bvNone, bvLowered, bvRaised, bvSpace };
Q_ENUM_NS(TBevelCut)

enum TBevelShape { bsBox, bsFrame, bsTopLine, bsBottomLine, bsLeftLine, bsRightLine, bsSpacer };
Q_ENUM_NS(TBevelShape)

enum TBevelStyle { bsLowered, bsRaised };
Q_ENUM_NS(TBevelStyle)

// Border styles of forms; controls use the first two (bsNone, bsSingle).
enum TFormBorderStyle { bsNone, bsSingle, bsSizeable, bsDialog, bsToolWindow, bsSizeToolWin };
Q_ENUM_NS(TFormBorderStyle)

enum TStaticBorderStyle { sbsNone, sbsSingle, sbsSunken };
Q_ENUM_NS(TStaticBorderStyle)

enum TBorderIcon { biSystemMenu = 0x1, biMinimize = 0x2, biMaximize = 0x4, biHelp = 0x8 };
Q_DECLARE_FLAGS(TBorderIcons, TBorderIcon)
Q_FLAG_NS(TBorderIcons)

enum TPosition { poDesigned, poDefault, poDefaultPosOnly, poDefaultSizeOnly, poScreenCenter };
Q_ENUM_NS(TPosition)

enum TWindowState { wsNormal, wsMinimized, wsMaximized };
Q_ENUM_NS(TWindowState)

enum TCheckBoxState { cbUnchecked, cbChecked, cbGrayed };
Q_ENUM_NS(TCheckBoxState)

enum TButtonLayout { blGlyphLeft, blGlyphRight, blGlyphTop, blGlyphBottom };
Q_ENUM_NS(TButtonLayout)

enum TBitBtnKind {
    bkCustom,
    bkOK,
    bkCancel,
    bkHelp,
    bkYes,
    bkNo,
    bkClose,
    bkAbort,
    bkRetry,
    bkIgnore,
    bkAll
};
Q_ENUM_NS(TBitBtnKind)

enum TStatusPanelBevel { pbNone, pbLowered, pbRaised };
Q_ENUM_NS(TStatusPanelBevel)

} // namespace FormTypes

Q_DECLARE_OPERATORS_FOR_FLAGS(FormTypes::TFontStyles)
Q_DECLARE_OPERATORS_FOR_FLAGS(FormTypes::TBorderIcons)

using namespace FormTypes;
