// The spin box: a text box with up and down arrows.
//
// Its value is its text read as a decimal integer, or MinValue when the text is not one. The
// arrows and the Up and Down keys add or subtract Increment and store the result clamped to
// MinValue..MaxValue. Leaving the box replaces a numeric text outside the range by the clamped
// value; a text that is not a number stays as typed. Typing accepts only digits, "+", "-", the
// decimal separator and control characters other than Enter; any other key is refused with a
// beep (MessageBeep(0)). Setting the text from code stores it without any test.
// As in the classic control, a range whose MinValue equals MaxValue (the default 0..0) means no
// limits.
#pragma once

#include "StdCtrls.h"

#include <optional>

class QAbstractSpinBox;

class TSpinEdit : public TWinControl {
    Q_OBJECT
    Q_PROPERTY(bool EditorEnabled READ EditorEnabled WRITE SetEditorEnabled)
    Q_PROPERTY(int Increment READ Increment WRITE SetIncrement)
    Q_PROPERTY(int MaxLength READ MaxLength WRITE SetMaxLength)
    Q_PROPERTY(int MaxValue READ MaxValue WRITE SetMaxValue)
    Q_PROPERTY(int MinValue READ MinValue WRITE SetMinValue)
    Q_PROPERTY(bool ReadOnly READ ReadOnly WRITE SetReadOnly)
    Q_PROPERTY(int Value READ Value WRITE SetValue)
    Q_PROPERTY(TNotifyEvent OnChange READ OnChange WRITE SetOnChange)
  public:
    explicit TSpinEdit(TComponent* AOwner);

    QString Text() const { return GetText(); }
    // Stores the text as given, without any test.
    void SetText(QString const& Value) { TControl::SetText(Value); }

    bool EditorEnabled() const { return m_EditorEnabled; }
    void SetEditorEnabled(bool Value);
    int Increment() const { return m_Increment; }
    void SetIncrement(int Value) { m_Increment = Value; }
    int MaxLength() const { return m_MaxLength; }
    void SetMaxLength(int Value);
    int MaxValue() const { return m_MaxValue; }
    void SetMaxValue(int Value) { m_MaxValue = Value; }
    int MinValue() const { return m_MinValue; }
    void SetMinValue(int Value) { m_MinValue = Value; }
    bool ReadOnly() const { return m_ReadOnly; }
    void SetReadOnly(bool Value);

    // The text as a decimal integer, or MinValue.
    int Value() const;
    // Stores the value clamped to the range, as text.
    void SetValue(int NewValue);
    int CheckValue(qint64 NewValue) const;

    TNotifyEvent OnChange() const { return m_OnChange; }
    void SetOnChange(TNotifyEvent const& Value) { m_OnChange = Value; }

    // What the arrows and the Up/Down keys do: Steps times Increment up (down when negative).
    void Step(int Steps);
    // Whether typing the character is accepted.
    static bool IsValidChar(QChar Key);

    QAbstractSpinBox* SpinBox() const;

  protected:
    virtual void Change();
    void TextChanged() override;
    void DoExit() override;
    void ColorChanged() override;

  private:
    bool m_EditorEnabled = true;
    int m_Increment = 1;
    int m_MaxLength = 0;
    int m_MaxValue = 0;
    int m_MinValue = 0;
    bool m_ReadOnly = false;
    TNotifyEvent m_OnChange;
};

// A decimal integer with optional sign, fitting 32 bits; nothing else.
std::optional<int> ParseDecimal(QString const& Text);
