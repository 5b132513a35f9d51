#include "forms/Menus.h"

#include <QAction>
#include <QKeySequence>
#include <QMenu>

#include <algorithm>

namespace {

// The classic ShortCut word as a Qt key sequence (letters, digits and function keys).
QKeySequence ToKeySequence(int shortCut) {
    int const vk = shortCut & 0xFF;
    int key = 0;
    if ((vk >= 'A' && vk <= 'Z') || (vk >= '0' && vk <= '9'))
        key = vk;
    else if (vk >= 0x70 && vk <= 0x87)
        key = Qt::Key_F1 + (vk - 0x70);
    else if (vk == 0x2E)
        key = Qt::Key_Delete;
    else if (vk == 0x1B)
        key = Qt::Key_Escape;
    if (key == 0)
        return {};
    int modifiers = 0;
    if (shortCut & 0x2000)
        modifiers |= Qt::SHIFT;
    if (shortCut & 0x4000)
        modifiers |= Qt::CTRL;
    if (shortCut & 0x8000)
        modifiers |= Qt::ALT;
    return QKeySequence(key | modifiers);
}

} // namespace

TMenuItem::TMenuItem(TComponent* AOwner) : TComponent(AOwner), m_Action(new QAction(this)) {
    QObject::connect(m_Action, &QAction::triggered, this, [this] { Click(); });
}

TMenuItem::~TMenuItem() {
    for (TMenuItem* item : std::vector<TMenuItem*>(m_Items))
        Remove(item);
    if (m_ParentItem)
        m_ParentItem->Remove(this);
    delete m_Menu;
}

void TMenuItem::SetCaption(QString const& Value) {
    if (Value == m_Caption)
        return;
    m_Caption = Value;
    UpdateAction();
    if (TMainMenu* menu = Menu(); menu && m_ParentItem == menu->Items())
        menu->Changed();
}

void TMenuItem::SetChecked(bool Value) {
    m_Checked = Value;
    UpdateAction();
}

void TMenuItem::SetEnabled(bool Value) {
    m_Enabled = Value;
    UpdateAction();
}

void TMenuItem::SetHint(QString const& Value) {
    m_Hint = Value;
    UpdateAction();
}

void TMenuItem::SetShortCut(int Value) {
    m_ShortCut = Value;
    UpdateAction();
}

void TMenuItem::SetVisible(bool Value) {
    m_Visible = Value;
    UpdateAction();
}

void TMenuItem::UpdateAction() {
    m_Action->setText(m_Caption);
    m_Action->setSeparator(m_Caption == QStringLiteral("-"));
    m_Action->setCheckable(m_Checked);
    m_Action->setChecked(m_Checked);
    m_Action->setEnabled(m_Enabled);
    m_Action->setVisible(m_Visible);
    m_Action->setStatusTip(m_Hint);
    m_Action->setShortcut(ToKeySequence(m_ShortCut));
}

void TMenuItem::Add(TMenuItem* Item) {
    if (Item->m_ParentItem)
        Item->m_ParentItem->Remove(Item);
    m_Items.push_back(Item);
    Item->m_ParentItem = this;
    if (!m_Menu) {
        m_Menu = new QMenu;
        m_Action->setMenu(m_Menu);
    }
    m_Menu->addAction(Item->m_Action);
    if (m_OwnerMenu)
        m_OwnerMenu->Changed();
}

void TMenuItem::Remove(TMenuItem* Item) {
    auto found = std::find(m_Items.begin(), m_Items.end(), Item);
    if (found == m_Items.end())
        return;
    m_Items.erase(found);
    Item->m_ParentItem = nullptr;
    if (m_Menu)
        m_Menu->removeAction(Item->m_Action);
    if (m_OwnerMenu)
        m_OwnerMenu->Changed();
}

void TMenuItem::Click() {
    DispatchEvent(m_OnClick, this);
}

TMainMenu* TMenuItem::Menu() const {
    TMenuItem const* item = this;
    while (item->m_ParentItem)
        item = item->m_ParentItem;
    return item->m_OwnerMenu;
}

TComponent* TMenuItem::GetParentComponent() const {
    if (m_ParentItem && m_ParentItem->m_OwnerMenu)
        return m_ParentItem->m_OwnerMenu;
    if (m_ParentItem && m_ParentItem->m_OwnerPopup)
        return m_ParentItem->m_OwnerPopup;
    return m_ParentItem;
}

void TMenuItem::SetParentComponent(TComponent* Value) {
    if (auto* menu = qobject_cast<TMainMenu*>(Value))
        menu->Items()->Add(this);
    else if (auto* popup = qobject_cast<TPopupMenu*>(Value))
        popup->Items()->Add(this);
    else if (auto* item = qobject_cast<TMenuItem*>(Value))
        item->Add(this);
    else if (Value)
        throw Exception(QStringLiteral("%1 cannot be placed in %2").arg(Name(), Value->Name()));
}

TMainMenu::TMainMenu(TComponent* AOwner) : TComponent(AOwner), m_Items(std::make_unique<TMenuItem>(nullptr)) {
    m_Items->m_OwnerMenu = this;
}

TMainMenu::~TMainMenu() {
    OnChange = nullptr;
    m_Items->m_OwnerMenu = nullptr;
}

void TMainMenu::Changed() {
    if (OnChange)
        OnChange();
}

TPopupMenu::TPopupMenu(TComponent* AOwner) : TComponent(AOwner), m_Items(std::make_unique<TMenuItem>(nullptr)) {
    m_Items->m_OwnerPopup = this;
}

TPopupMenu::~TPopupMenu() {
    m_Items->m_OwnerPopup = nullptr;
}

QMenu* TPopupMenu::Menu() const {
    return m_Items->SubMenu();
}

void TPopupMenu::Popup(int X, int Y) {
    if (QMenu* menu = Menu())
        menu->popup(QPoint(X, Y));
}
