// Controls: components backed by a Qt widget, with bounds, visibility, colour, font, hint
// (shown as a tooltip) and a click event. A windowed control (TWinControl) is the parent of other
// controls and lays out the aligned ones; a graphic control (TGraphicControl) paints itself in
// Paint through a TCanvas.
//
// Ownership: the control owns its widget. A control's parent is not its owner: the owner (the
// form) destroys it; a parent only shows it.
#pragma once

#include "Graphics.h"

#include <QPointer>
#include <QWidget>

class TWinControl;

class TControl : public TComponent {
    Q_OBJECT
    Q_PROPERTY(int Left READ Left WRITE SetLeft)
    Q_PROPERTY(int Top READ Top WRITE SetTop)
    Q_PROPERTY(int Width READ Width WRITE SetWidth)
    Q_PROPERTY(int Height READ Height WRITE SetHeight)
    Q_PROPERTY(FormTypes::TAlign Align READ Align WRITE SetAlign)
    Q_PROPERTY(bool Enabled READ Enabled WRITE SetEnabled)
    Q_PROPERTY(bool Visible READ Visible WRITE SetVisible)
    Q_PROPERTY(FormTypes::TColor Color READ Color WRITE SetColor)
    Q_PROPERTY(bool ParentColor READ ParentColor WRITE SetParentColor)
    Q_PROPERTY(TFont* Font READ Font)
    Q_PROPERTY(bool ParentFont READ ParentFont WRITE SetParentFont)
    Q_PROPERTY(QString Hint READ Hint WRITE SetHint)
    Q_PROPERTY(bool ShowHint READ ShowHint WRITE SetShowHint)
    Q_PROPERTY(bool ParentShowHint READ ParentShowHint WRITE SetParentShowHint)
    Q_PROPERTY(TNotifyEvent OnClick READ OnClick WRITE SetOnClick)
  public:
    TControl(TComponent* AOwner, QWidget* AWidget);
    ~TControl() override;

    QWidget* Widget() const { return m_Widget; }

    TWinControl* Parent() const { return m_Parent; }
    void SetParent(TWinControl* AParent);
    TComponent* GetParentComponent() const override;
    void SetParentComponent(TComponent* Value) override;

    int Left() const { return m_Bounds.x(); }
    int Top() const { return m_Bounds.y(); }
    int Width() const { return m_Bounds.width(); }
    int Height() const { return m_Bounds.height(); }
    void SetLeft(int Value) { SetBounds(Value, Top(), Width(), Height()); }
    void SetTop(int Value) { SetBounds(Left(), Value, Width(), Height()); }
    void SetWidth(int Value) { SetBounds(Left(), Top(), Value, Height()); }
    void SetHeight(int Value) { SetBounds(Left(), Top(), Width(), Value); }
    virtual void SetBounds(int ALeft, int ATop, int AWidth, int AHeight);
    QRect BoundsRect() const { return m_Bounds; }
    QRect ClientRect() const { return QRect(0, 0, ClientWidth(), ClientHeight()); }
    virtual int ClientWidth() const { return Width(); }
    virtual int ClientHeight() const { return Height(); }

    TAlign Align() const { return m_Align; }
    void SetAlign(TAlign Value);
    bool Enabled() const { return m_Enabled; }
    void SetEnabled(bool Value);
    bool Visible() const { return m_Visible; }
    virtual void SetVisible(bool Value);
    void Show() { SetVisible(true); }
    void Hide() { SetVisible(false); }

    TColor Color() const { return m_Color; }
    void SetColor(TColor Value);
    bool ParentColor() const { return m_ParentColor; }
    void SetParentColor(bool Value);
    TFont* Font() const { return m_Font.get(); }
    bool ParentFont() const { return m_ParentFont; }
    void SetParentFont(bool Value);

    QString Hint() const { return m_Hint; }
    void SetHint(QString const& Value);
    bool ShowHint() const { return m_ShowHint; }
    void SetShowHint(bool Value);
    bool ParentShowHint() const { return m_ParentShowHint; }
    void SetParentShowHint(bool Value);
    // Whether the hint is shown, following ParentShowHint up the parents.
    bool EffectiveShowHint() const;

    TNotifyEvent OnClick() const { return m_OnClick; }
    void SetOnClick(TNotifyEvent const& Value) { m_OnClick = Value; }

    // Schedules a repaint; Repaint paints at once.
    void Invalidate();
    void Repaint();

    // Runs OnClick (what the user's click does).
    virtual void Click();

    bool IsPropertyStored(char const* PropertyName) const override;

    // Called when the parent's font, colour or hint setting changed (for Parent* properties).
    virtual void ParentChanged();

  protected:
    // The text behind Caption or Text; TextChanged runs after a differing value was stored.
    QString GetText() const { return m_Text; }
    void SetText(QString const& Value);
    virtual void TextChanged() {}
    virtual void FontChanged();
    virtual void ColorChanged();
    virtual void ApplyBounds();
    virtual void ApplyVisibility();
    void ApplyHint();

  private:
    friend class TWinControl;
    void AttachParent(TWinControl* AParent);

    QPointer<QWidget> m_Widget;
    TWinControl* m_Parent = nullptr;
    QRect m_Bounds;
    TAlign m_Align = alNone;
    bool m_Enabled = true;
    bool m_Visible = true;
    TColor m_Color = clBtnFace;
    bool m_ParentColor = false;
    std::unique_ptr<TFont> m_Font;
    bool m_ParentFont = true;
    bool m_UpdatingFromParent = false;
    QString m_Hint;
    bool m_ShowHint = false;
    bool m_ParentShowHint = true;
    QString m_Text;
    TNotifyEvent m_OnClick;
};

class TWinControl : public TControl {
    Q_OBJECT
    Q_PROPERTY(int TabOrder READ TabOrder WRITE SetTabOrder)
    Q_PROPERTY(bool TabStop READ TabStop WRITE SetTabStop)
    Q_PROPERTY(TNotifyEvent OnEnter READ OnEnter WRITE SetOnEnter)
    Q_PROPERTY(TNotifyEvent OnExit READ OnExit WRITE SetOnExit)
  public:
    TWinControl(TComponent* AOwner, QWidget* AWidget);
    ~TWinControl() override;

    // The widget the children's widgets are placed in.
    virtual QWidget* ClientWidget() const { return Widget(); }

    int ControlCount() const { return static_cast<int>(m_Controls.size()); }
    TControl* Controls(int Index) const { return m_Controls.at(static_cast<size_t>(Index)); }
    void InsertControl(TControl* AControl);
    void RemoveControl(TControl* AControl);

    // Places the aligned children: top ones, bottom ones, left, right, then the client one.
    void Realign();

    int TabOrder() const { return m_TabOrder; }
    void SetTabOrder(int Value) { m_TabOrder = Value; }
    bool TabStop() const { return m_TabStop; }
    void SetTabStop(bool Value);
    TNotifyEvent OnEnter() const { return m_OnEnter; }
    void SetOnEnter(TNotifyEvent const& Value) { m_OnEnter = Value; }
    TNotifyEvent OnExit() const { return m_OnExit; }
    void SetOnExit(TNotifyEvent const& Value) { m_OnExit = Value; }

    bool Focused() const;
    void SetFocus();
    void ParentChanged() override;

  protected:
    // Focus arriving and leaving; the widget's focus events call these.
    virtual void DoEnter();
    virtual void DoExit();
    void FontChanged() override;
    void ColorChanged() override;
    void ApplyBounds() override;
    // Routes the focus events of `widget` (and its focus proxy) to DoEnter/DoExit.
    void WatchFocus(QWidget* widget);
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    std::vector<TControl*> m_Controls;
    int m_TabOrder = -1;
    bool m_TabStop = true;
    TNotifyEvent m_OnEnter;
    TNotifyEvent m_OnExit;
};

// A control without a window of its own in the classic framework: it paints itself.
class TGraphicControl : public TControl {
    Q_OBJECT
  public:
    explicit TGraphicControl(TComponent* AOwner);

    // Valid only during Paint.
    TCanvas* Canvas() const { return m_Canvas; }

  protected:
    virtual void Paint() {}

  private:
    void PaintWidget(QPainter& painter);

    TCanvas* m_Canvas = nullptr;
};

// A widget that paints and clicks through functions: the widget of painted controls.
class TPaintedWidget : public QWidget {
  public:
    std::function<void(QPainter&)> OnPaint;
    std::function<void()> OnClick;
    std::function<void()> OnDoubleClick;

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
};

// The first part of a hint, before a "|"; the tooltip shows it.
QString GetShortHint(QString const& Hint);
