// Windowed controls: children, alignment, focus events, and the parent properties they pass on.
#include "forms/Controls.h"

#include <QEvent>
#include <QFocusEvent>

#include <algorithm>

TWinControl::TWinControl(TComponent* AOwner, QWidget* AWidget) : TControl(AOwner, AWidget) {
    WatchFocus(AWidget);
}

TWinControl::~TWinControl() {
    // The children's widgets belong to their controls, not to this widget.
    for (TControl* control : std::vector<TControl*>(m_Controls))
        control->SetParent(nullptr);
}

void TWinControl::InsertControl(TControl* AControl) {
    m_Controls.push_back(AControl);
    AControl->AttachParent(this);
}

void TWinControl::RemoveControl(TControl* AControl) {
    auto found = std::find(m_Controls.begin(), m_Controls.end(), AControl);
    if (found == m_Controls.end())
        return;
    m_Controls.erase(found);
    AControl->AttachParent(nullptr);
    if (AControl->Align() != alNone)
        Realign();
}

void TWinControl::Realign() {
    QRect rest = ClientRect();
    auto place = [&](TAlign align) {
        for (TControl* control : m_Controls) {
            if (control->Align() != align || !control->Visible())
                continue;
            int const w = control->Width();
            int const h = control->Height();
            switch (align) {
            case alTop:
                control->SetBounds(rest.left(), rest.top(), rest.width(), h);
                rest.setTop(rest.top() + h);
                break;
            case alBottom:
                control->SetBounds(rest.left(), rest.bottom() + 1 - h, rest.width(), h);
                rest.setBottom(rest.bottom() - h);
                break;
            case alLeft:
                control->SetBounds(rest.left(), rest.top(), w, rest.height());
                rest.setLeft(rest.left() + w);
                break;
            case alRight:
                control->SetBounds(rest.right() + 1 - w, rest.top(), w, rest.height());
                rest.setRight(rest.right() - w);
                break;
            case alClient:
                control->SetBounds(rest.left(), rest.top(), rest.width(), rest.height());
                break;
            case alNone:
                break;
            }
        }
    };
    for (TAlign align : {alTop, alBottom, alLeft, alRight, alClient})
        place(align);
}

void TWinControl::SetTabStop(bool Value) {
    m_TabStop = Value;
    if (Widget())
        Widget()->setFocusPolicy(Value ? Qt::StrongFocus : Qt::ClickFocus);
}

bool TWinControl::Focused() const {
    return Widget() && Widget()->hasFocus();
}

void TWinControl::SetFocus() {
    if (Widget())
        Widget()->setFocus(Qt::OtherFocusReason);
}

void TWinControl::ParentChanged() {
    TControl::ParentChanged();
    for (TControl* control : m_Controls)
        control->ParentChanged();
}

void TWinControl::DoEnter() {
    DispatchEvent(m_OnEnter, this);
}

void TWinControl::DoExit() {
    DispatchEvent(m_OnExit, this);
}

void TWinControl::FontChanged() {
    TControl::FontChanged();
    for (TControl* control : m_Controls)
        if (control->ParentFont())
            control->ParentChanged();
}

void TWinControl::ColorChanged() {
    TControl::ColorChanged();
    for (TControl* control : m_Controls)
        if (control->ParentColor())
            control->ParentChanged();
}

void TWinControl::ApplyBounds() {
    TControl::ApplyBounds();
    Realign();
}

void TWinControl::WatchFocus(QWidget* widget) {
    widget->installEventFilter(this);
}

bool TWinControl::eventFilter(QObject*, QEvent* event) {
    if (event->type() == QEvent::FocusIn || event->type() == QEvent::FocusOut) {
        auto const reason = static_cast<QFocusEvent*>(event)->reason();
        // Switching to another window or opening a popup is not leaving the control.
        if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason) {
            if (event->type() == QEvent::FocusIn)
                DoEnter();
            else
                DoExit();
        }
    }
    return false;
}
