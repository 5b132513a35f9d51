// Creating components from a parsed form description and setting their properties.
#include "forms/FormReader.h"

#include "forms/PropertyValues.h"

#include <QMetaMethod>
#include <QPointer>

namespace {

struct TFixup {
    QObject* Object;
    QMetaProperty Property;
    QString Name;
    QString Path;
    int Line;
};

class TReaderFiler : public TFiler {
  public:
    TReaderFiler(QString name, TFormValue const& value) : m_Name(std::move(name)), m_Value(value) {}
    void DefineProperty(QString const& Name, TReadProc ReadData, TWriteProc, bool) override {
        if (!m_Handled && Name.compare(m_Name, Qt::CaseInsensitive) == 0) {
            m_Handled = true;
            ReadData(m_Value);
        }
    }
    bool Handled() const { return m_Handled; }

  private:
    QString m_Name;
    TFormValue const& m_Value;
    bool m_Handled = false;
};

class TFormReader {
  public:
    explicit TFormReader(TComponent* root) : m_Root(root) {}

    void Read(TFormObject const& object) {
        if (!ClassMatches(object.className))
            Fail(object.line,
                 QStringLiteral("Form description is for %1, not %2")
                     .arg(object.className, QString::fromLatin1(m_Root->metaObject()->className())));
        m_Loaded.push_back(m_Root);
        m_Root->SetLoading(true);
        try {
            if (!object.name.isEmpty())
                SetName(m_Root, object.name, object.line);
            ReadBody(m_Root, object);
            ResolveFixups();
        } catch (...) {
            for (TComponent* component : m_Loaded)
                component->SetLoading(false);
            throw;
        }
        for (TComponent* component : m_Loaded)
            component->SetLoading(false);
        for (TComponent* component : m_Loaded)
            component->Loaded();
    }

  private:
    [[noreturn]] static void Fail(int line, QString const& what) {
        throw EReadError(QStringLiteral("Line %1: %2").arg(line).arg(what));
    }

    bool ClassMatches(QString const& className) const {
        for (QMetaObject const* meta = m_Root->metaObject(); meta; meta = meta->superClass())
            if (className == QLatin1String(meta->className()))
                return true;
        return false;
    }

    static void SetName(TComponent* component, QString const& name, int line) {
        try {
            component->SetName(name);
        } catch (Exception const& e) {
            Fail(line, e.Message());
        }
    }

    void ReadBody(TComponent* component, TFormObject const& object) {
        for (TFormProperty const& property : object.properties)
            ReadProperty(component, component->Name(), property);
        for (TFormObject const& child : object.children)
            ReadChild(component, child);
    }

    void ReadChild(TComponent* parent, TFormObject const& object) {
        TComponentFactory factory = FindClassFactory(object.className);
        if (!factory)
            Fail(object.line, QStringLiteral("Class %1 not found").arg(object.className));
        TComponent* component = nullptr;
        try {
            component = factory(m_Root);
        } catch (Exception const& e) {
            Fail(object.line, QStringLiteral("Error creating %1: %2").arg(object.name, e.Message()));
        }
        component->SetLoading(true);
        m_Loaded.push_back(component);
        SetName(component, object.name, object.line);
        try {
            component->SetParentComponent(parent);
        } catch (Exception const& e) {
            Fail(object.line, e.Message());
        }
        BindField(component);
        ReadBody(component, object);
    }

    // The root's published property named like the component, if any, points at it.
    void BindField(TComponent* component) {
        QMetaObject const* meta = m_Root->metaObject();
        int const index = meta->indexOfProperty(component->Name().toLatin1().constData());
        if (index < 0)
            return;
        QMetaProperty const property = meta->property(index);
        if (property.metaType().flags() & QMetaType::PointerToQObject)
            property.write(m_Root, QVariant::fromValue(static_cast<QObject*>(component)));
    }

    void ReadProperty(QObject* object, QString const& path, TFormProperty const& property) {
        QStringList const parts = property.name.split(u'.');
        QString location = path;
        for (qsizetype i = 0; i + 1 < parts.size(); ++i) {
            QMetaProperty const nested = FindProperty(object, parts[i], location, property.line);
            QObject* inner = nested.read(object).value<QObject*>();
            if (!(nested.metaType().flags() & QMetaType::PointerToQObject) || !inner)
                Fail(property.line, QStringLiteral("Error reading %1.%2: Property %2 has no properties")
                                        .arg(location, parts[i]));
            object = inner;
            location += u'.' + parts[i];
        }
        QString const name = parts.back();
        try {
            if (auto* persistent = qobject_cast<TPersistent*>(object)) {
                TReaderFiler filer(name, property.value);
                persistent->DefineProperties(filer);
                if (filer.Handled())
                    return;
            }
            QMetaProperty const target = FindProperty(object, name, location, property.line);
            WriteValue(object, target, property.value, location + u'.' + name, property.line);
        } catch (EReadError const&) {
            throw;
        } catch (Exception const& e) {
            Fail(property.line, QStringLiteral("Error reading %1.%2: %3").arg(location, name, e.Message()));
        }
    }

    static QMetaProperty FindProperty(QObject* object, QString const& name, QString const& location,
                                      int line) {
        QMetaObject const* meta = object->metaObject();
        int const index = meta->indexOfProperty(name.toLatin1().constData());
        // objectName is Qt's own; the name is given in the object line.
        if (index < 0 || name == QLatin1String("objectName"))
            Fail(line, QStringLiteral("Error reading %1.%2: Property %2 does not exist").arg(location, name));
        return meta->property(index);
    }

    void WriteValue(QObject* object, QMetaProperty const& property, TFormValue const& value,
                    QString const& path, int line) {
        auto fail = [&](QString const& why) {
            Fail(line, QStringLiteral("Error reading %1: %2").arg(path, why));
        };
        QMetaType const type = property.metaType();
        if (type == QMetaType::fromType<TNotifyEvent>()) {
            if (value.kind != TFormValue::Kind::Ident)
                fail(QStringLiteral("Method name expected"));
            TNotifyEvent event = BindMethod(value.text);
            if (!event)
                fail(QStringLiteral("Method %1 does not exist in %2")
                         .arg(value.text, QString::fromLatin1(m_Root->metaObject()->className())));
            property.write(object, QVariant::fromValue(event));
            return;
        }
        if (type.flags() & QMetaType::PointerToQObject) {
            QObject* current = property.read(object).value<QObject*>();
            if (auto* collection = qobject_cast<TCollection*>(current)) {
                if (value.kind != TFormValue::Kind::Collection)
                    fail(QStringLiteral("Item list expected"));
                collection->Clear();
                for (auto const& item : value.collection) {
                    TCollectionItem* added = collection->Add();
                    for (TFormProperty const& itemProperty : item)
                        ReadProperty(added, path, itemProperty);
                }
                return;
            }
            if (value.kind != TFormValue::Kind::Ident || !property.isWritable())
                fail(QStringLiteral("Invalid property value"));
            m_Fixups.push_back({object, property, value.text, path, line});
            return;
        }
        QString error;
        QVariant const variant = FormValueToVariant(property, value, error);
        if (!error.isEmpty())
            fail(error);
        if (!property.write(object, variant))
            fail(QStringLiteral("Invalid property value"));
    }

    TNotifyEvent BindMethod(QString const& name) const {
        QMetaObject const* meta = m_Root->metaObject();
        for (int i = 0; i < meta->methodCount(); ++i) {
            QMetaMethod const method = meta->method(i);
            if (method.parameterCount() != 1 || QString::fromLatin1(method.name()) != name)
                continue;
            QPointer<QObject> root = m_Root;
            int const index = method.methodIndex();
            return TNotifyEvent(
                [root, index](TObject* Sender) {
                    if (!root)
                        return;
                    void* args[] = {nullptr, &Sender};
                    QMetaObject::metacall(root, QMetaObject::InvokeMetaMethod, index, args);
                },
                name);
        }
        return {};
    }

    void ResolveFixups() {
        for (TFixup const& fixup : m_Fixups) {
            QObject* target = nullptr;
            if (fixup.Name.compare(QStringLiteral("nil"), Qt::CaseInsensitive) != 0) {
                target = fixup.Name.compare(m_Root->Name(), Qt::CaseInsensitive) == 0
                             ? m_Root
                             : m_Root->FindComponent(fixup.Name);
                if (!target)
                    Fail(fixup.Line, QStringLiteral("Error reading %1: Component %2 does not exist")
                                         .arg(fixup.Path, fixup.Name));
            }
            if (!fixup.Property.write(fixup.Object, QVariant::fromValue(target)))
                Fail(fixup.Line, QStringLiteral("Error reading %1: %2 is not of the right type")
                                     .arg(fixup.Path, fixup.Name));
        }
    }

    TComponent* m_Root;
    std::vector<TComponent*> m_Loaded;
    std::vector<TFixup> m_Fixups;
};

} // namespace

void ReadComponent(TComponent* Root, TFormObject const& Object) {
    TFormReader(Root).Read(Object);
}

void ReadComponentText(TComponent* Root, QString const& Text) {
    ReadComponent(Root, ParseFormText(Text));
}
