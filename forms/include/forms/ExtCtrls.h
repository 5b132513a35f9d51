// Panels, bevels, images and the timer.
#pragma once

#include "Controls.h"

class QTimer;

class TPanel : public TWinControl {
    Q_OBJECT
    Q_PROPERTY(FormTypes::TAlignment Alignment READ Alignment WRITE SetAlignment)
    Q_PROPERTY(FormTypes::TBevelCut BevelInner READ BevelInner WRITE SetBevelInner)
    Q_PROPERTY(FormTypes::TBevelCut BevelOuter READ BevelOuter WRITE SetBevelOuter)
    Q_PROPERTY(int BevelWidth READ BevelWidth WRITE SetBevelWidth)
    Q_PROPERTY(int BorderWidth READ BorderWidth WRITE SetBorderWidth)
    Q_PROPERTY(FormTypes::TFormBorderStyle BorderStyle READ BorderStyle WRITE SetBorderStyle)
    Q_PROPERTY(QString Caption READ Caption WRITE SetCaption)
  public:
    explicit TPanel(TComponent* AOwner);

    TAlignment Alignment() const { return m_Alignment; }
    void SetAlignment(TAlignment Value);
    TBevelCut BevelInner() const { return m_BevelInner; }
    void SetBevelInner(TBevelCut Value);
    TBevelCut BevelOuter() const { return m_BevelOuter; }
    void SetBevelOuter(TBevelCut Value);
    int BevelWidth() const { return m_BevelWidth; }
    void SetBevelWidth(int Value);
    int BorderWidth() const { return m_BorderWidth; }
    void SetBorderWidth(int Value);
    TFormBorderStyle BorderStyle() const { return m_BorderStyle; }
    void SetBorderStyle(TFormBorderStyle Value);
    QString Caption() const { return GetText(); }
    void SetCaption(QString const& Value) { SetText(Value); }

  protected:
    void TextChanged() override { Invalidate(); }
    void PaintPanel(QPainter& painter);

  private:
    TAlignment m_Alignment = taCenter;
    TBevelCut m_BevelInner = bvNone;
    TBevelCut m_BevelOuter = bvRaised;
    int m_BevelWidth = 1;
    int m_BorderWidth = 0;
    TFormBorderStyle m_BorderStyle = bsNone;
};

class TBevel : public TGraphicControl {
    Q_OBJECT
    Q_PROPERTY(FormTypes::TBevelShape Shape READ Shape WRITE SetShape)
    Q_PROPERTY(FormTypes::TBevelStyle Style READ Style WRITE SetStyle)
  public:
    explicit TBevel(TComponent* AOwner);

    TBevelShape Shape() const { return m_Shape; }
    void SetShape(TBevelShape Value);
    TBevelStyle Style() const { return m_Style; }
    void SetStyle(TBevelStyle Value);

  protected:
    void Paint() override;

  private:
    TBevelShape m_Shape = bsBox;
    TBevelStyle m_Style = bsLowered;
};

class TImage : public TGraphicControl {
    Q_OBJECT
    Q_PROPERTY(bool AutoSize READ AutoSize WRITE SetAutoSize)
    Q_PROPERTY(bool Center READ Center WRITE SetCenter)
    Q_PROPERTY(TPicture* Picture READ Picture)
    Q_PROPERTY(bool Stretch READ Stretch WRITE SetStretch)
    Q_PROPERTY(bool Transparent READ Transparent WRITE SetTransparent)
  public:
    explicit TImage(TComponent* AOwner);

    bool AutoSize() const { return m_AutoSize; }
    void SetAutoSize(bool Value);
    bool Center() const { return m_Center; }
    void SetCenter(bool Value);
    TPicture* Picture() const { return m_Picture.get(); }
    bool Stretch() const { return m_Stretch; }
    void SetStretch(bool Value);
    bool Transparent() const { return m_Transparent; }
    void SetTransparent(bool Value);

  protected:
    void Paint() override;

  private:
    void PictureChanged();

    std::unique_ptr<TPicture> m_Picture;
    bool m_AutoSize = false;
    bool m_Center = false;
    bool m_Stretch = false;
    bool m_Transparent = false;
};

// Runs OnTimer every Interval milliseconds on the GUI thread while Enabled and a handler is set.
class TTimer : public TComponent {
    Q_OBJECT
    Q_PROPERTY(bool Enabled READ Enabled WRITE SetEnabled)
    Q_PROPERTY(int Interval READ Interval WRITE SetInterval)
    Q_PROPERTY(TNotifyEvent OnTimer READ OnTimer WRITE SetOnTimer)
  public:
    explicit TTimer(TComponent* AOwner);
    ~TTimer() override;

    bool Enabled() const { return m_Enabled; }
    void SetEnabled(bool Value);
    int Interval() const { return m_Interval; }
    void SetInterval(int Value);
    TNotifyEvent OnTimer() const { return m_OnTimer; }
    void SetOnTimer(TNotifyEvent const& Value);

    // Whether the Qt timer runs (Enabled, a positive interval and a handler).
    bool Active() const;

  protected:
    virtual void Timer();

  private:
    void UpdateTimer();

    QTimer* m_Timer;
    bool m_Enabled = true;
    int m_Interval = 1000;
    TNotifyEvent m_OnTimer;
};
