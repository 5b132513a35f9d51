// Standard controls: label, static text, edit box, push button, check box, group box.
// Setting a text or state from code fires the change (or click) handler only when the value
// differs, the same as a user's edit does; nothing fires while the form description is read.
#pragma once

#include "Controls.h"

class QCheckBox;
class QGroupBox;
class QLineEdit;
class QPushButton;

class TLabel : public TGraphicControl {
    Q_OBJECT
    Q_PROPERTY(FormTypes::TAlignment Alignment READ Alignment WRITE SetAlignment)
    Q_PROPERTY(bool AutoSize READ AutoSize WRITE SetAutoSize)
    Q_PROPERTY(QString Caption READ Caption WRITE SetCaption)
    Q_PROPERTY(TWinControl* FocusControl READ FocusControl WRITE SetFocusControl)
    Q_PROPERTY(FormTypes::TTextLayout Layout READ Layout WRITE SetLayout)
    Q_PROPERTY(bool ShowAccelChar READ ShowAccelChar WRITE SetShowAccelChar)
    Q_PROPERTY(bool Transparent READ Transparent WRITE SetTransparent)
    Q_PROPERTY(bool WordWrap READ WordWrap WRITE SetWordWrap)
  public:
    explicit TLabel(TComponent* AOwner);

    TAlignment Alignment() const { return m_Alignment; }
    void SetAlignment(TAlignment Value);
    bool AutoSize() const { return m_AutoSize; }
    void SetAutoSize(bool Value);
    QString Caption() const { return GetText(); }
    void SetCaption(QString const& Value) { SetText(Value); }
    TWinControl* FocusControl() const { return m_FocusControl; }
    void SetFocusControl(TWinControl* Value) { m_FocusControl = Value; }
    TTextLayout Layout() const { return m_Layout; }
    void SetLayout(TTextLayout Value);
    bool ShowAccelChar() const { return m_ShowAccelChar; }
    void SetShowAccelChar(bool Value);
    bool Transparent() const { return m_Transparent; }
    void SetTransparent(bool Value);
    bool WordWrap() const { return m_WordWrap; }
    void SetWordWrap(bool Value);

    void Loaded() override;

  protected:
    void Paint() override;
    void TextChanged() override;
    void FontChanged() override;
    // Qt text flags for the caption: alignment, word wrap, mnemonic.
    int TextFlags() const;
    void AdjustBounds();

  private:
    TAlignment m_Alignment = taLeftJustify;
    bool m_AutoSize = true;
    TWinControl* m_FocusControl = nullptr;
    TTextLayout m_Layout = tlTop;
    bool m_ShowAccelChar = true;
    bool m_Transparent = false;
    bool m_WordWrap = false;
};

class TStaticText : public TWinControl {
    Q_OBJECT
    Q_PROPERTY(FormTypes::TAlignment Alignment READ Alignment WRITE SetAlignment)
    Q_PROPERTY(FormTypes::TStaticBorderStyle BorderStyle READ BorderStyle WRITE SetBorderStyle)
    Q_PROPERTY(QString Caption READ Caption WRITE SetCaption)
    Q_PROPERTY(bool ShowAccelChar READ ShowAccelChar WRITE SetShowAccelChar)
  public:
    explicit TStaticText(TComponent* AOwner);

    TAlignment Alignment() const { return m_Alignment; }
    void SetAlignment(TAlignment Value);
    TStaticBorderStyle BorderStyle() const { return m_BorderStyle; }
    void SetBorderStyle(TStaticBorderStyle Value);
    QString Caption() const { return GetText(); }
    void SetCaption(QString const& Value) { SetText(Value); }
    bool ShowAccelChar() const { return m_ShowAccelChar; }
    void SetShowAccelChar(bool Value);

  protected:
    void TextChanged() override { Invalidate(); }
    void PaintStatic(QPainter& painter);

  private:
    TAlignment m_Alignment = taLeftJustify;
    TStaticBorderStyle m_BorderStyle = sbsNone;
    bool m_ShowAccelChar = true;
};

class TEdit : public TWinControl {
    Q_OBJECT
    Q_PROPERTY(int MaxLength READ MaxLength WRITE SetMaxLength)
    Q_PROPERTY(bool ReadOnly READ ReadOnly WRITE SetReadOnly)
    Q_PROPERTY(QString Text READ Text WRITE SetText)
    Q_PROPERTY(TNotifyEvent OnChange READ OnChange WRITE SetOnChange)
  public:
    explicit TEdit(TComponent* AOwner);

    QString Text() const { return GetText(); }
    void SetText(QString const& Value) { TControl::SetText(Value); }
    int MaxLength() const { return m_MaxLength; }
    void SetMaxLength(int Value);
    bool ReadOnly() const { return m_ReadOnly; }
    void SetReadOnly(bool Value);
    TNotifyEvent OnChange() const { return m_OnChange; }
    void SetOnChange(TNotifyEvent const& Value) { m_OnChange = Value; }

    QLineEdit* LineEdit() const;

  protected:
    // Runs OnChange, except while the form description is read.
    virtual void Change();
    void TextChanged() override;
    void ColorChanged() override;

  private:
    int m_MaxLength = 0;
    bool m_ReadOnly = false;
    TNotifyEvent m_OnChange;
};

class TButton : public TWinControl {
    Q_OBJECT
    Q_PROPERTY(bool Cancel READ Cancel WRITE SetCancel)
    Q_PROPERTY(QString Caption READ Caption WRITE SetCaption)
    Q_PROPERTY(bool Default READ Default WRITE SetDefault)
    Q_PROPERTY(int ModalResult READ ModalResult WRITE SetModalResult)
  public:
    explicit TButton(TComponent* AOwner);

    bool Cancel() const { return m_Cancel; }
    void SetCancel(bool Value) { m_Cancel = Value; }
    QString Caption() const { return GetText(); }
    void SetCaption(QString const& Value) { SetText(Value); }
    bool Default() const { return m_Default; }
    void SetDefault(bool Value);
    int ModalResult() const { return m_ModalResult; }
    void SetModalResult(int Value) { m_ModalResult = Value; }

    QPushButton* PushButton() const;

  protected:
    void TextChanged() override;

  private:
    bool m_Cancel = false;
    bool m_Default = false;
    int m_ModalResult = 0;
};

class TCheckBox : public TWinControl {
    Q_OBJECT
    Q_PROPERTY(FormTypes::TAlignment Alignment READ Alignment WRITE SetAlignment)
    Q_PROPERTY(bool AllowGrayed READ AllowGrayed WRITE SetAllowGrayed)
    Q_PROPERTY(QString Caption READ Caption WRITE SetCaption)
    Q_PROPERTY(bool Checked READ Checked WRITE SetChecked)
    Q_PROPERTY(FormTypes::TCheckBoxState State READ State WRITE SetState)
  public:
    explicit TCheckBox(TComponent* AOwner);

    TAlignment Alignment() const { return m_Alignment; }
    void SetAlignment(TAlignment Value);
    bool AllowGrayed() const { return m_AllowGrayed; }
    void SetAllowGrayed(bool Value);
    QString Caption() const { return GetText(); }
    void SetCaption(QString const& Value) { SetText(Value); }
    bool Checked() const { return m_State == cbChecked; }
    void SetChecked(bool Value) { SetState(Value ? cbChecked : cbUnchecked); }
    TCheckBoxState State() const { return m_State; }
    // A differing state runs the click handler (OnClick), as a click does.
    void SetState(TCheckBoxState Value);

    bool IsPropertyStored(char const* PropertyName) const override;

  protected:
    void TextChanged() override;

  private:
    void WidgetStateChanged(int state);

    TAlignment m_Alignment = taRightJustify;
    bool m_AllowGrayed = false;
    TCheckBoxState m_State = cbUnchecked;
};

class TGroupBox : public TWinControl {
    Q_OBJECT
    Q_PROPERTY(QString Caption READ Caption WRITE SetCaption)
  public:
    explicit TGroupBox(TComponent* AOwner);

    QString Caption() const { return GetText(); }
    void SetCaption(QString const& Value) { SetText(Value); }

  protected:
    void TextChanged() override;
};
