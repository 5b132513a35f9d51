// The form framework, after the classic component libraries: components with published
// properties (Classes.h), controls on Qt widgets (Controls.h, StdCtrls.h, ExtCtrls.h, Buttons.h,
// Spin.h, FileCtrl.h, ComCtrls.h, Menus.h), forms that draw their own frame and the application
// object (Forms.h), and the form description reader and writer (FormReader.h, FormText.h).
//
// This header holds the component model: persistent objects with published properties
// (Q_PROPERTY), components with an owner, a name and the components they own, notify events
// bound by method name, collections, and the class registry the form reader creates from.
//
// Ownership: a component is owned by the component given to its constructor; the owner keeps
// its components in creation order and destroys them, last first, when it is destroyed.
// Threads: the whole framework lives on the GUI thread; only the event loop calls into it.
#pragma once

#include "FormValue.h"
#include "SysUtils.h"
#include "Types.h"

#include <QObject>
#include <QString>

#include <functional>
#include <memory>
#include <vector>

using TObject = QObject;

// An event handler of the classic kind: procedure(Sender). A handler read from a form
// description remembers the name of the form's method it is bound to, so it can be written back.
class TNotifyEvent {
  public:
    TNotifyEvent() = default;
    TNotifyEvent(std::function<void(TObject*)> handler, QString name = {})
        : m_Handler(std::move(handler)), m_Name(std::move(name)) {}

    explicit operator bool() const { return static_cast<bool>(m_Handler); }
    QString const& Name() const { return m_Name; }
    void operator()(TObject* Sender) const {
        if (m_Handler)
            m_Handler(Sender);
    }
    bool operator==(TNotifyEvent const& other) const {
        return m_Name == other.m_Name && static_cast<bool>(m_Handler) == static_cast<bool>(other.m_Handler);
    }

  private:
    std::function<void(TObject*)> m_Handler;
    QString m_Name;
};
Q_DECLARE_METATYPE(TNotifyEvent)

// Runs an event handler the way the framework does. Called from the event loop, an exception the
// handler raises is caught and handed to the application's error box; called from inside another
// handler, it propagates to that handler, which stops in turn.
void DispatchEvent(TNotifyEvent const& event, TObject* Sender);

// Hands an exception that reached the event loop to the installed handler (the application's
// error box), or reports it on the console when there is none.
void ShowUnhandledException(std::exception_ptr error);

// Installed by the application: shows an exception that reached the event loop.
using TExceptionHandler = std::function<void(std::exception_ptr)>;
void SetExceptionHandler(TExceptionHandler handler);

// While alive, handlers run as if called from the event loop; used around nested event loops
// (modal boxes, ProcessMessages), where the outer handler cannot catch anything.
class TEventLoopScope {
  public:
    TEventLoopScope();
    ~TEventLoopScope();
    TEventLoopScope(TEventLoopScope const&) = delete;
    TEventLoopScope& operator=(TEventLoopScope const&) = delete;

  private:
    int m_SavedDepth;
};

class TFiler;

// A persistent object: its published properties are its Q_PROPERTYs. A class may list, in its
// class info "NoDefault", properties that are written even when they equal their default, and
// may define extra properties (binary data, lists) through DefineProperties.
class TPersistent : public QObject {
    Q_OBJECT
  public:
    explicit TPersistent(QObject* parent = nullptr) : QObject(parent) {}
    virtual void DefineProperties(TFiler& Filer);
    virtual void Assign(TPersistent const* Source);
    // Whether the property is written to a form description (besides its Q_PROPERTY STORED flag).
    virtual bool IsPropertyStored(char const* PropertyName) const;
};

// Reading and writing of defined properties (DefineProperties).
class TFiler {
  public:
    using TReadProc = std::function<void(TFormValue const&)>;
    using TWriteProc = std::function<TFormValue()>;
    virtual ~TFiler() = default;
    // `HasData` false: nothing to write this time.
    virtual void DefineProperty(QString const& Name, TReadProc ReadData, TWriteProc WriteData,
                                bool HasData) = 0;
};

enum TComponentStateFlag { csLoading = 0x1, csDestroying = 0x2 };

class TComponent : public TPersistent {
    Q_OBJECT
    Q_PROPERTY(int Tag READ Tag WRITE SetTag)
  public:
    explicit TComponent(TComponent* AOwner);
    ~TComponent() override;

    TComponent* Owner() const { return m_Owner; }
    QString Name() const { return objectName(); }
    // Raises Exception for a name that is not an identifier or is taken in the owner.
    void SetName(QString const& NewName);

    int ComponentCount() const { return static_cast<int>(m_Components.size()); }
    TComponent* Components(int Index) const { return m_Components.at(static_cast<size_t>(Index)); }
    TComponent* FindComponent(QString const& AName) const;
    template <class T> T* FindComponent(QString const& AName) const {
        return qobject_cast<T*>(FindComponent(AName));
    }
    void InsertComponent(TComponent* AComponent);
    void RemoveComponent(TComponent* AComponent);
    void DestroyComponents();

    int Tag() const { return m_Tag; }
    void SetTag(int Value) { m_Tag = Value; }

    bool IsLoading() const { return m_State & csLoading; }
    bool IsDestroying() const { return m_State & csDestroying; }
    void SetLoading(bool Loading);

    // Called on every component of a form once the whole description has been read.
    virtual void Loaded() {}

    // The component a form description nests this one in (a control's parent, a menu item's
    // menu); nullptr when it sits directly in the root.
    virtual TComponent* GetParentComponent() const { return nullptr; }
    virtual void SetParentComponent(TComponent* Value);

  protected:
    // Owner notification: a component joins or leaves.
    virtual void Notification(TComponent* AComponent, bool Inserted);

  private:
    TComponent* m_Owner = nullptr;
    std::vector<TComponent*> m_Components;
    int m_Tag = 0;
    int m_State = 0;
};

// An item of a collection (status panels and the like); its properties are published.
class TCollectionItem : public TPersistent {
    Q_OBJECT
  public:
    explicit TCollectionItem(class TCollection* ACollection);
    class TCollection* Collection() const {
        return m_Collection;
    }
    int Index() const;

  protected:
    void Changed();

  private:
    class TCollection* m_Collection;
};

// A list of items owned by the collection, stored in a form description as `<item ... end>`.
class TCollection : public TPersistent {
    Q_OBJECT
  public:
    explicit TCollection(QObject* parent = nullptr) : TPersistent(parent) {}
    ~TCollection() override;

    int Count() const { return static_cast<int>(m_Items.size()); }
    TCollectionItem* Items(int Index) const { return m_Items.at(static_cast<size_t>(Index)).get(); }
    TCollectionItem* Add();
    void Delete(int Index);
    void Clear();

    // A new item of the collection's class, not yet in the list.
    virtual std::unique_ptr<TCollectionItem> CreateItem() = 0;
    // Called whenever an item is added, deleted or changed.
    std::function<void()> OnChange;

    void ItemChanged();

  private:
    std::vector<std::unique_ptr<TCollectionItem>> m_Items;
};

// The classes a form description may name, by class name.
using TComponentFactory = std::function<TComponent*(TComponent* AOwner)>;
void RegisterClass(QMetaObject const* Class, TComponentFactory Factory);
template <class T> void RegisterClass() {
    RegisterClass(&T::staticMetaObject, [](TComponent* AOwner) -> TComponent* { return new T(AOwner); });
}
TComponentFactory FindClassFactory(QString const& ClassName);
// The nearest registered class of `Class` or its ancestors; nullptr when none is.
QMetaObject const* FindRegisteredAncestor(QMetaObject const* Class);
