// The status bar with its panels.
#pragma once

#include "Controls.h"

class TStatusPanel : public TCollectionItem {
    Q_OBJECT
    Q_PROPERTY(FormTypes::TAlignment Alignment READ Alignment WRITE SetAlignment)
    Q_PROPERTY(FormTypes::TStatusPanelBevel Bevel READ Bevel WRITE SetBevel)
    Q_PROPERTY(QString Text READ Text WRITE SetText)
    Q_PROPERTY(int Width READ Width WRITE SetWidth)
  public:
    explicit TStatusPanel(TCollection* ACollection) : TCollectionItem(ACollection) {}

    TAlignment Alignment() const { return m_Alignment; }
    void SetAlignment(TAlignment Value);
    TStatusPanelBevel Bevel() const { return m_Bevel; }
    void SetBevel(TStatusPanelBevel Value);
    QString Text() const { return m_Text; }
    void SetText(QString const& Value);
    int Width() const { return m_Width; }
    void SetWidth(int Value);

  private:
    TAlignment m_Alignment = taLeftJustify;
    TStatusPanelBevel m_Bevel = pbLowered;
    QString m_Text;
    int m_Width = 50;
};

class TStatusPanels : public TCollection {
    Q_OBJECT
  public:
    using TCollection::TCollection;
    TStatusPanel* Items(int Index) const { return static_cast<TStatusPanel*>(TCollection::Items(Index)); }
    TStatusPanel* Add() { return static_cast<TStatusPanel*>(TCollection::Add()); }
    std::unique_ptr<TCollectionItem> CreateItem() override { return std::make_unique<TStatusPanel>(this); }
};

class TStatusBar : public TWinControl {
    Q_OBJECT
    Q_PROPERTY(TStatusPanels* Panels READ Panels)
    Q_PROPERTY(bool SimplePanel READ SimplePanel WRITE SetSimplePanel)
    Q_PROPERTY(QString SimpleText READ SimpleText WRITE SetSimpleText)
  public:
    explicit TStatusBar(TComponent* AOwner);

    TStatusPanels* Panels() const { return m_Panels.get(); }
    bool SimplePanel() const { return m_SimplePanel; }
    void SetSimplePanel(bool Value);
    QString SimpleText() const { return m_SimpleText; }
    void SetSimpleText(QString const& Value);

    // The rectangle of panel `Index`, in the bar's coordinates.
    QRect PanelRect(int Index) const;

  private:
    void PaintBar(QPainter& painter);

    std::unique_ptr<TStatusPanels> m_Panels;
    bool m_SimplePanel = false;
    QString m_SimpleText;
};
