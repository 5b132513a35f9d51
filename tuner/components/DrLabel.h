// TDRLabel: a label that draws its text twice, a shadow copy offset down and right by Deep
// pixels in ShadowColor and the text on top, inside an optional one-pixel single, raised or
// lowered frame; it blinks by hiding its text (blBlink) or by switching it between HiColor and
// LoColor (blHiLo), driven by a timer it owns.
//
// Ownership: the blink timer belongs to the label and goes with it. Thread: the GUI thread; timer
// steps arrive through the event loop.
#pragma once

#include "forms/ExtCtrls.h"
#include "forms/StdCtrls.h"

namespace DrLabelTypes {
Q_NAMESPACE

enum TDRBorder { boNone, boSingle, boRaised, boLowered };
Q_ENUM_NS(TDRBorder)

enum TDRBlink { blNone, blBlink, blHiLo };
Q_ENUM_NS(TDRBlink)

} // namespace DrLabelTypes

using namespace DrLabelTypes;

class TDRLabel : public TLabel {
    Q_OBJECT
    // Written to a form description even when equal to their defaults; ShadowColor only when it
    // differs from the button-highlight colour.
    Q_CLASSINFO("NoDefault", "HiColor,LoColor,Border,Ctl3D,BlinkInterval,Blink,Deep")
    Q_PROPERTY(FormTypes::TColor HiColor READ HiColor WRITE SetHiColor)
    Q_PROPERTY(FormTypes::TColor LoColor READ LoColor WRITE SetLoColor)
    Q_PROPERTY(DrLabelTypes::TDRBorder Border READ Border WRITE SetBorder)
    Q_PROPERTY(bool Ctl3D READ Ctl3D WRITE SetCtl3D)
    Q_PROPERTY(int BlinkInterval READ BlinkInterval WRITE SetBlinkInterval)
    Q_PROPERTY(DrLabelTypes::TDRBlink Blink READ Blink WRITE SetBlink)
    Q_PROPERTY(FormTypes::TColor ShadowColor READ ShadowColor WRITE SetShadowColor)
    Q_PROPERTY(int Deep READ Deep WRITE SetDeep)
  public:
    explicit TDRLabel(TComponent* AOwner);

    TColor HiColor() const { return m_HiColor; }
    void SetHiColor(TColor Value);
    TColor LoColor() const { return m_LoColor; }
    void SetLoColor(TColor Value);
    TDRBorder Border() const { return m_Border; }
    void SetBorder(TDRBorder Value);
    bool Ctl3D() const { return m_Ctl3D; }
    void SetCtl3D(bool Value);
    int BlinkInterval() const { return m_BlinkInterval; }
    // No range check: the timer gets whatever is given.
    void SetBlinkInterval(int Value);
    TDRBlink Blink() const { return m_Blink; }
    void SetBlink(TDRBlink Value);
    TColor ShadowColor() const { return m_ShadowColor; }
    void SetShadowColor(TColor Value);
    int Deep() const { return m_Deep; }
    // 1 or 2; any other value is ignored.
    void SetDeep(int Value);

    // One blink step; the blink timer calls it every BlinkInterval milliseconds.
    void TimerTick();

    TTimer* BlinkTimer() const { return m_BlinkTimer; }
    TColor SavedColor() const { return m_SavedColor; }

  protected:
    void Paint() override;

  private:
    int DrawFlags() const;
    void PaintBorder(QPainter& painter) const;

    int m_Deep = 1;
    TColor m_SavedColor = clWindowText;
    TColor m_HiColor = clBlue;
    TColor m_LoColor = clNavy;
    TDRBorder m_Border = boNone;
    bool m_Ctl3D = true;
    TColor m_ShadowColor = clBtnHighlight;
    TDRBlink m_Blink = blNone;
    int m_BlinkInterval = 300;
    TTimer* m_BlinkTimer = nullptr;
};
