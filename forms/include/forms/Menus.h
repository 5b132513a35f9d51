// The main menu, pop-up menus and their items. Items are components of the form; in a form description they are
// nested in the menu or in their parent item. Each item is a QAction; an item with items of its
// own also carries a QMenu.
#pragma once

#include "Classes.h"

class QAction;
class QMenu;
class TMainMenu;
class TPopupMenu;

class TMenuItem : public TComponent {
    Q_OBJECT
    Q_PROPERTY(QString Caption READ Caption WRITE SetCaption)
    Q_PROPERTY(bool Checked READ Checked WRITE SetChecked)
    Q_PROPERTY(bool Enabled READ Enabled WRITE SetEnabled)
    Q_PROPERTY(QString Hint READ Hint WRITE SetHint)
    Q_PROPERTY(int ShortCut READ ShortCut WRITE SetShortCut)
    Q_PROPERTY(bool Visible READ Visible WRITE SetVisible)
    Q_PROPERTY(TNotifyEvent OnClick READ OnClick WRITE SetOnClick)
  public:
    explicit TMenuItem(TComponent* AOwner);
    ~TMenuItem() override;

    QString Caption() const { return m_Caption; }
    void SetCaption(QString const& Value);
    bool Checked() const { return m_Checked; }
    void SetChecked(bool Value);
    bool Enabled() const { return m_Enabled; }
    void SetEnabled(bool Value);
    QString Hint() const { return m_Hint; }
    void SetHint(QString const& Value);
    // Virtual-key code in the low byte; 0x2000 Shift, 0x4000 Ctrl, 0x8000 Alt.
    int ShortCut() const { return m_ShortCut; }
    void SetShortCut(int Value);
    bool Visible() const { return m_Visible; }
    void SetVisible(bool Value);
    TNotifyEvent OnClick() const { return m_OnClick; }
    void SetOnClick(TNotifyEvent const& Value) { m_OnClick = Value; }

    int Count() const { return static_cast<int>(m_Items.size()); }
    TMenuItem* Items(int Index) const { return m_Items.at(static_cast<size_t>(Index)); }
    TMenuItem* ParentItem() const { return m_ParentItem; }
    void Add(TMenuItem* Item);
    void Remove(TMenuItem* Item);

    // The action that shows the item; its menu when the item has items.
    QAction* Action() const { return m_Action; }
    QMenu* SubMenu() const { return m_Menu; }

    virtual void Click();

    TComponent* GetParentComponent() const override;
    void SetParentComponent(TComponent* Value) override;

    // The menu this item belongs to, through its parents; nullptr when none.
    TMainMenu* Menu() const;

  private:
    friend class TMainMenu;
    friend class TPopupMenu;
    void UpdateAction();

    QString m_Caption;
    bool m_Checked = false;
    bool m_Enabled = true;
    QString m_Hint;
    int m_ShortCut = 0;
    bool m_Visible = true;
    TNotifyEvent m_OnClick;
    QAction* m_Action;
    QMenu* m_Menu = nullptr;
    TMenuItem* m_ParentItem = nullptr;
    TMainMenu* m_OwnerMenu = nullptr;   // set on the root item of a main menu
    TPopupMenu* m_OwnerPopup = nullptr; // set on the root item of a pop-up menu
    std::vector<TMenuItem*> m_Items;
};

class TMainMenu : public TComponent {
    Q_OBJECT
  public:
    explicit TMainMenu(TComponent* AOwner);
    ~TMainMenu() override;

    // The invisible root whose items are the menu bar's entries.
    TMenuItem* Items() const { return m_Items.get(); }

    // Called when the top-level items change (the form rebuilds its menu bar).
    std::function<void()> OnChange;
    void Changed();

  private:
    std::unique_ptr<TMenuItem> m_Items;
};

// A menu that pops up where it is asked to (a right click, for the controls and components that
// show it when its AutoPopup is set).
class TPopupMenu : public TComponent {
    Q_OBJECT
    Q_PROPERTY(bool AutoPopup READ AutoPopup WRITE SetAutoPopup)
  public:
    explicit TPopupMenu(TComponent* AOwner);
    ~TPopupMenu() override;

    TMenuItem* Items() const { return m_Items.get(); }
    bool AutoPopup() const { return m_AutoPopup; }
    void SetAutoPopup(bool Value) { m_AutoPopup = Value; }

    // Shows the menu at the screen point and returns at once; a chosen item's OnClick runs from
    // the event loop.
    virtual void Popup(int X, int Y);
    // The menu shown, once the menu has items.
    QMenu* Menu() const;

  private:
    std::unique_ptr<TMenuItem> m_Items;
    bool m_AutoPopup = true;
};
