// Component ownership, event dispatch, collections and the class registry.
#include "forms/Classes.h"

#include <QHash>
#include <QRegularExpression>

#include <algorithm>
#include <cstdio>

namespace {

// How many handlers are running on the stack since the event loop last had control.
int g_HandlerDepth = 0;
TExceptionHandler g_ExceptionHandler;

QHash<QString, std::pair<QMetaObject const*, TComponentFactory>>& Registry() {
    static QHash<QString, std::pair<QMetaObject const*, TComponentFactory>> registry;
    return registry;
}

} // namespace

void ShowUnhandledException(std::exception_ptr error) {
    if (g_ExceptionHandler) {
        g_ExceptionHandler(error);
        return;
    }
    try {
        std::rethrow_exception(error);
    } catch (std::exception const& e) {
        std::fprintf(stderr, "Unhandled exception: %s\n", e.what());
    } catch (...) {
        std::fprintf(stderr, "Unhandled exception\n");
    }
}

void DispatchEvent(TNotifyEvent const& event, TObject* Sender) {
    if (!event)
        return;
    if (g_HandlerDepth > 0) {
        event(Sender);
        return;
    }
    std::exception_ptr error;
    ++g_HandlerDepth;
    try {
        event(Sender);
    } catch (...) {
        error = std::current_exception();
    }
    --g_HandlerDepth;
    // Shown after the depth is back to zero: the error box runs a nested event loop whose
    // handlers must be treated as called from the loop.
    if (error)
        ShowUnhandledException(error);
}

void SetExceptionHandler(TExceptionHandler handler) {
    g_ExceptionHandler = std::move(handler);
}

TEventLoopScope::TEventLoopScope() : m_SavedDepth(g_HandlerDepth) {
    g_HandlerDepth = 0;
}

TEventLoopScope::~TEventLoopScope() {
    g_HandlerDepth = m_SavedDepth;
}

void TPersistent::DefineProperties(TFiler&) {}

void TPersistent::Assign(TPersistent const* Source) {
    QString const from =
        Source ? QString::fromLatin1(Source->metaObject()->className()) : QStringLiteral("nil");
    throw Exception(QStringLiteral("Cannot assign a %1 to a %2")
                        .arg(from, QString::fromLatin1(metaObject()->className())));
}

TComponent::TComponent(TComponent* AOwner) {
    if (AOwner)
        AOwner->InsertComponent(this);
}

TComponent::~TComponent() {
    m_State |= csDestroying;
    DestroyComponents();
    if (m_Owner)
        m_Owner->RemoveComponent(this);
}

void TComponent::SetName(QString const& NewName) {
    if (NewName == objectName())
        return;
    static QRegularExpression const identifier(QStringLiteral("^[A-Za-z_][A-Za-z0-9_]*$"));
    if (!NewName.isEmpty() && !identifier.match(NewName).hasMatch())
        throw Exception(QStringLiteral("'%1' is not a valid component name").arg(NewName));
    if (m_Owner && !NewName.isEmpty()) {
        TComponent* other = m_Owner->FindComponent(NewName);
        if (other && other != this)
            throw Exception(QStringLiteral("A component named %1 already exists").arg(NewName));
    }
    setObjectName(NewName);
}

TComponent* TComponent::FindComponent(QString const& AName) const {
    if (AName.isEmpty())
        return nullptr;
    for (TComponent* component : m_Components)
        if (component->objectName().compare(AName, Qt::CaseInsensitive) == 0)
            return component;
    return nullptr;
}

void TComponent::InsertComponent(TComponent* AComponent) {
    if (AComponent->m_Owner)
        AComponent->m_Owner->RemoveComponent(AComponent);
    m_Components.push_back(AComponent);
    AComponent->m_Owner = this;
    Notification(AComponent, true);
}

void TComponent::RemoveComponent(TComponent* AComponent) {
    auto found = std::find(m_Components.begin(), m_Components.end(), AComponent);
    if (found == m_Components.end())
        return;
    m_Components.erase(found);
    AComponent->m_Owner = nullptr;
    Notification(AComponent, false);
}

void TComponent::DestroyComponents() {
    // Last created first, so that a component never outlives one it was created after.
    while (!m_Components.empty()) {
        TComponent* last = m_Components.back();
        RemoveComponent(last);
        delete last;
    }
}

void TComponent::SetLoading(bool Loading) {
    m_State = Loading ? (m_State | csLoading) : (m_State & ~csLoading);
}

void TComponent::SetParentComponent(TComponent*) {}

bool TPersistent::IsPropertyStored(char const*) const {
    return true;
}

void TComponent::Notification(TComponent*, bool) {}

TCollectionItem::TCollectionItem(TCollection* ACollection) : m_Collection(ACollection) {}

int TCollectionItem::Index() const {
    for (int i = 0; m_Collection && i < m_Collection->Count(); ++i)
        if (m_Collection->Items(i) == this)
            return i;
    return -1;
}

void TCollectionItem::Changed() {
    if (m_Collection)
        m_Collection->ItemChanged();
}

TCollection::~TCollection() {
    OnChange = nullptr;
    m_Items.clear();
}

TCollectionItem* TCollection::Add() {
    m_Items.push_back(CreateItem());
    ItemChanged();
    return m_Items.back().get();
}

void TCollection::Delete(int Index) {
    if (Index < 0 || Index >= Count())
        return;
    m_Items.erase(m_Items.begin() + Index);
    ItemChanged();
}

void TCollection::Clear() {
    if (m_Items.empty())
        return;
    m_Items.clear();
    ItemChanged();
}

void TCollection::ItemChanged() {
    if (OnChange)
        OnChange();
}

void RegisterClass(QMetaObject const* Class, TComponentFactory Factory) {
    Registry().insert(QString::fromLatin1(Class->className()), {Class, std::move(Factory)});
}

TComponentFactory FindClassFactory(QString const& ClassName) {
    auto found = Registry().constFind(ClassName);
    return found == Registry().constEnd() ? TComponentFactory{} : found->second;
}

QMetaObject const* FindRegisteredAncestor(QMetaObject const* Class) {
    for (QMetaObject const* meta = Class; meta; meta = meta->superClass()) {
        auto found = Registry().constFind(QString::fromLatin1(meta->className()));
        if (found != Registry().constEnd() && found->first == meta)
            return meta;
    }
    return nullptr;
}
