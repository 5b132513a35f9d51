// Writing components into a form description, leaving out properties equal to their defaults.
#include "forms/FormReader.h"

#include "forms/Forms.h"
#include "forms/PropertyValues.h"

#include <QSet>

#include <map>

namespace {

class TWriterFiler : public TFiler {
  public:
    TWriterFiler(QString prefix, std::vector<TFormProperty>& out) : m_Prefix(std::move(prefix)), m_Out(out) {}
    void DefineProperty(QString const& Name, TReadProc, TWriteProc WriteData, bool HasData) override {
        if (HasData)
            m_Out.push_back({m_Prefix + Name, WriteData(), 0});
    }

  private:
    QString m_Prefix;
    std::vector<TFormProperty>& m_Out;
};

// Properties a class and its ancestors list as always written.
QSet<QString> NoDefaultProperties(QMetaObject const* meta) {
    QSet<QString> names;
    for (QMetaObject const* m = meta; m; m = m->superClass())
        for (int i = m->classInfoOffset(); i < m->classInfoCount(); ++i)
            if (qstrcmp(m->classInfo(i).name(), "NoDefault") == 0)
                for (QString const& name : QString::fromLatin1(m->classInfo(i).value()).split(u','))
                    names.insert(name.trimmed());
    return names;
}

class TFormWriter {
  public:
    explicit TFormWriter(TComponent* root) : m_Root(root) {}

    ~TFormWriter() {
        // Prototypes placed on scratch forms go with their forms.
        for (auto& [meta, prototype] : m_Prototypes)
            if (!prototype.second)
                delete prototype.first;
        m_ScratchForms.clear();
    }

    TFormObject WriteObject(TComponent* component) {
        TFormObject object;
        object.name = component->Name();
        object.className = QString::fromLatin1(component->metaObject()->className());
        WriteProperties(component, Prototype(component), QString(), object.properties);
        for (int i = 0; i < m_Root->ComponentCount(); ++i) {
            TComponent* child = m_Root->Components(i);
            TComponent* parent = child->GetParentComponent();
            if (parent == component || (component == m_Root && parent == nullptr))
                object.children.push_back(WriteObject(child));
        }
        return object;
    }

  private:
    // A freshly made object of the nearest registered class: its values are the defaults.
    QObject* Prototype(TComponent* component) {
        QMetaObject const* meta = FindRegisteredAncestor(component->metaObject());
        if (!meta)
            return nullptr;
        auto found = m_Prototypes.find(meta);
        if (found != m_Prototypes.end())
            return found->second.first;
        TComponentFactory const factory = FindClassFactory(QString::fromLatin1(meta->className()));
        TComponent* prototype = nullptr;
        bool onScratch = false;
        if (meta->inherits(&TForm::staticMetaObject)) {
            prototype = factory(nullptr);
        } else {
            // Each on its own form, so that a component allowed once per form can be made.
            m_ScratchForms.push_back(std::make_unique<TForm>(nullptr));
            prototype = factory(m_ScratchForms.back().get());
            onScratch = true;
        }
        m_Prototypes[meta] = {prototype, onScratch};
        return prototype;
    }

    bool IsField(QObject* owner, char const* name, QObject* value) const {
        auto* component = qobject_cast<TComponent*>(value);
        return owner == m_Root && component && component->Owner() == m_Root &&
               component->Name() == QLatin1String(name);
    }

    QString ReferenceName(QObject* target) const {
        auto* component = qobject_cast<TComponent*>(target);
        if (!component || component == m_Root || component->Owner() == m_Root || !component->Owner())
            return target->objectName();
        return component->Owner()->Name() + u'.' + component->Name();
    }

    void WriteProperties(QObject* object, QObject* prototype, QString const& prefix,
                         std::vector<TFormProperty>& out) {
        QMetaObject const* meta = object->metaObject();
        QSet<QString> const noDefault = NoDefaultProperties(meta);
        auto* persistent = qobject_cast<TPersistent*>(object);
        for (int i = 0; i < meta->propertyCount(); ++i) {
            QMetaProperty const property = meta->property(i);
            char const* name = property.name();
            if (qstrcmp(name, "objectName") == 0 || !property.isReadable() || !property.isStored())
                continue;
            if (persistent && !persistent->IsPropertyStored(name))
                continue;
            WriteProperty(object, prototype, property, prefix, noDefault.contains(QLatin1String(name)), out);
        }
        if (persistent) {
            TWriterFiler filer(prefix, out);
            persistent->DefineProperties(filer);
        }
    }

    void WriteProperty(QObject* object, QObject* prototype, QMetaProperty const& property,
                       QString const& prefix, bool always, std::vector<TFormProperty>& out) {
        QString const name = prefix + QLatin1String(property.name());
        QVariant const value = property.read(object);
        if (property.metaType() == QMetaType::fromType<TNotifyEvent>()) {
            QString const method = value.value<TNotifyEvent>().Name();
            if (!method.isEmpty())
                out.push_back({name, TFormValue::Ident(method), 0});
            return;
        }
        if (property.metaType().flags() & QMetaType::PointerToQObject) {
            QObject* inner = value.value<QObject*>();
            if (!inner)
                return;
            if (property.isWritable()) {
                if (!IsField(object, property.name(), inner))
                    out.push_back({name, TFormValue::Ident(ReferenceName(inner)), 0});
                return;
            }
            if (auto* collection = qobject_cast<TCollection*>(inner)) {
                if (collection->Count() > 0)
                    out.push_back({name, WriteCollection(collection), 0});
                return;
            }
            QObject* innerPrototype =
                prototype ? prototype->property(property.name()).value<QObject*>() : nullptr;
            WriteProperties(inner, innerPrototype, name + u'.', out);
            return;
        }
        if (!always && prototype && prototype->property(property.name()) == value)
            return;
        if (std::optional<TFormValue> stored = VariantToFormValue(property, value))
            out.push_back({name, *stored, 0});
    }

    TFormValue WriteCollection(TCollection* collection) {
        TFormValue value;
        value.kind = TFormValue::Kind::Collection;
        for (int i = 0; i < collection->Count(); ++i) {
            std::unique_ptr<TCollectionItem> prototype = collection->CreateItem();
            std::vector<TFormProperty> properties;
            WriteProperties(collection->Items(i), prototype.get(), QString(), properties);
            value.collection.push_back(std::move(properties));
        }
        return value;
    }

    TComponent* m_Root;
    std::map<QMetaObject const*, std::pair<QObject*, bool>> m_Prototypes;
    std::vector<std::unique_ptr<TForm>> m_ScratchForms;
};

} // namespace

TFormObject WriteComponent(TComponent* Root) {
    return TFormWriter(Root).WriteObject(Root);
}

QString WriteComponentText(TComponent* Root) {
    return PrintFormText(WriteComponent(Root));
}
