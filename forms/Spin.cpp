// The spin box on a QAbstractSpinBox whose text is the control's text and whose steps and key
// filtering follow the classic control.
#include "forms/Spin.h"

#include "host/user32_dialogs.h"

#include <QAbstractSpinBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QLocale>

#include <algorithm>
#include <climits>

namespace {

class TSpinWidget : public QAbstractSpinBox {
  public:
    explicit TSpinWidget(TSpinEdit* control) : m_Control(control) {}

    QLineEdit* Edit() const { return lineEdit(); }

    // Every text is acceptable here: the control keeps whatever was typed.
    QValidator::State validate(QString&, int&) const override { return QValidator::Acceptable; }
    void fixup(QString&) const override {}
    void stepBy(int steps) override { m_Control->Step(steps); }

  protected:
    StepEnabled stepEnabled() const override { return StepUpEnabled | StepDownEnabled; }

    void keyPressEvent(QKeyEvent* event) override {
        switch (event->key()) {
        case Qt::Key_PageUp:
        case Qt::Key_PageDown:
            // The classic box does not page.
            QWidget::keyPressEvent(event);
            return;
        case Qt::Key_Return:
        case Qt::Key_Enter:
            MessageBeep(0);
            event->accept();
            return;
        default:
            break;
        }
        QString const text = event->text();
        if (!text.isEmpty() && !TSpinEdit::IsValidChar(text.front())) {
            MessageBeep(0);
            event->accept();
            return;
        }
        QAbstractSpinBox::keyPressEvent(event);
    }

    void wheelEvent(QWheelEvent* event) override { event->ignore(); }

  private:
    TSpinEdit* m_Control;
};

} // namespace

std::optional<int> ParseDecimal(QString const& Text) {
    qsizetype i = 0;
    if (i < Text.size() && (Text[i] == u'+' || Text[i] == u'-'))
        ++i;
    if (i == Text.size())
        return std::nullopt;
    for (qsizetype j = i; j < Text.size(); ++j)
        if (Text[j] < u'0' || Text[j] > u'9')
            return std::nullopt;
    bool ok = false;
    int const value = Text.toInt(&ok, 10);
    if (!ok)
        return std::nullopt;
    return value;
}

TSpinEdit::TSpinEdit(TComponent* AOwner) : TWinControl(AOwner, new TSpinWidget(this)) {
    SetColor(clWindow);
    SetBounds(0, 0, 121, 22);
    QLineEdit* edit = static_cast<TSpinWidget*>(Widget())->Edit();
    QObject::connect(edit, &QLineEdit::textChanged, this,
                     [this](QString const& text) { TControl::SetText(text); });
    SetText(QStringLiteral("0"));
}

QAbstractSpinBox* TSpinEdit::SpinBox() const {
    return static_cast<QAbstractSpinBox*>(Widget());
}

bool TSpinEdit::IsValidChar(QChar Key) {
    if (Key == u'\r')
        return false;
    if (Key.unicode() < 0x20 || Key.unicode() == 0x7F)
        return true;
    if ((Key >= u'0' && Key <= u'9') || Key == u'+' || Key == u'-')
        return true;
    QString const separator = QLocale().decimalPoint();
    return !separator.isEmpty() && Key == separator.front();
}

void TSpinEdit::SetEditorEnabled(bool Value) {
    m_EditorEnabled = Value;
    static_cast<TSpinWidget*>(Widget())->Edit()->setReadOnly(m_ReadOnly || !m_EditorEnabled);
}

void TSpinEdit::SetMaxLength(int Value) {
    m_MaxLength = Value;
    static_cast<TSpinWidget*>(Widget())->Edit()->setMaxLength(Value > 0 ? Value : 32767);
}

void TSpinEdit::SetReadOnly(bool Value) {
    m_ReadOnly = Value;
    static_cast<TSpinWidget*>(Widget())->Edit()->setReadOnly(m_ReadOnly || !m_EditorEnabled);
}

int TSpinEdit::Value() const {
    return ParseDecimal(GetText()).value_or(m_MinValue);
}

int TSpinEdit::CheckValue(qint64 NewValue) const {
    if (m_MaxValue != m_MinValue) {
        if (NewValue < m_MinValue)
            return m_MinValue;
        if (NewValue > m_MaxValue)
            return m_MaxValue;
    }
    return static_cast<int>(std::clamp<qint64>(NewValue, INT_MIN, INT_MAX));
}

void TSpinEdit::SetValue(int NewValue) {
    SetText(QString::number(CheckValue(NewValue)));
}

void TSpinEdit::Step(int Steps) {
    if (m_ReadOnly) {
        MessageBeep(0);
        return;
    }
    SetText(
        QString::number(CheckValue(static_cast<qint64>(Value()) + static_cast<qint64>(Steps) * m_Increment)));
}

void TSpinEdit::Change() {
    if (!IsLoading())
        DispatchEvent(m_OnChange, this);
}

void TSpinEdit::TextChanged() {
    QLineEdit* edit = static_cast<TSpinWidget*>(Widget())->Edit();
    if (edit->text() != GetText())
        edit->setText(GetText());
    Change();
}

void TSpinEdit::DoExit() {
    TWinControl::DoExit();
    // A numeric text outside the range is clamped; a text that is no number counts as MinValue,
    // which needs no clamping, so it stays as typed.
    int const value = Value();
    if (CheckValue(value) != value)
        SetValue(value);
}

void TSpinEdit::ColorChanged() {
    QPalette palette = Widget()->palette();
    palette.setColor(QPalette::Base, ColorToRGB(Color()));
    Widget()->setPalette(palette);
}
