#include "forms/PropertyValues.h"

#include <QMetaEnum>

#include <climits>
#include <cstring>

namespace {

// Enumerations whose values may also be given as numbers (any colour is a number).
bool AcceptsNumbers(QMetaEnum const& enumerator) {
    return std::strcmp(enumerator.name(), "TColor") == 0 ||
           std::strcmp(enumerator.name(), "TFontCharset") == 0;
}

int RawInt(QVariant const& value) {
    int raw = 0;
    if (value.metaType().sizeOf() == sizeof(int))
        std::memcpy(&raw, value.constData(), sizeof(int));
    return raw;
}

QVariant EnumValue(QMetaProperty const& property, TFormValue const& value, QString& error) {
    QMetaEnum const enumerator = property.enumerator();
    int result = 0;
    if (enumerator.isFlag()) {
        if (value.kind != TFormValue::Kind::Set) {
            error = QStringLiteral("Set expected");
            return {};
        }
        for (QString const& name : value.names) {
            bool ok = false;
            int const bit = enumerator.keyToValue(name.toLatin1().constData(), &ok);
            if (!ok) {
                error = QStringLiteral("Invalid property value %1").arg(name);
                return {};
            }
            result |= bit;
        }
    } else if (value.kind == TFormValue::Kind::Ident) {
        bool ok = false;
        result = enumerator.keyToValue(value.text.toLatin1().constData(), &ok);
        if (!ok) {
            error = QStringLiteral("Invalid property value %1").arg(value.text);
            return {};
        }
    } else if (value.kind == TFormValue::Kind::Integer && AcceptsNumbers(enumerator) &&
               value.integer >= INT_MIN && value.integer <= static_cast<qint64>(UINT_MAX)) {
        result = static_cast<int>(static_cast<quint32>(value.integer));
    } else {
        error = QStringLiteral("Invalid property value");
        return {};
    }
    return QVariant(property.metaType(), &result);
}

} // namespace

QVariant FormValueToVariant(QMetaProperty const& Property, TFormValue const& Value, QString& Error) {
    if (Property.isEnumType())
        return EnumValue(Property, Value, Error);
    using Kind = TFormValue::Kind;
    switch (Property.metaType().id()) {
    case QMetaType::Bool:
        if (Value.kind == Kind::Ident && Value.text.compare(QStringLiteral("True"), Qt::CaseInsensitive) == 0)
            return true;
        if (Value.kind == Kind::Ident &&
            Value.text.compare(QStringLiteral("False"), Qt::CaseInsensitive) == 0)
            return false;
        break;
    case QMetaType::Int:
        if (Value.kind == Kind::Integer && Value.integer >= INT_MIN && Value.integer <= INT_MAX)
            return static_cast<int>(Value.integer);
        break;
    case QMetaType::UInt:
        if (Value.kind == Kind::Integer && Value.integer >= 0 && Value.integer <= UINT_MAX)
            return static_cast<uint>(Value.integer);
        break;
    case QMetaType::LongLong:
        if (Value.kind == Kind::Integer)
            return Value.integer;
        break;
    case QMetaType::Double:
        if (Value.kind == Kind::Real)
            return Value.real;
        if (Value.kind == Kind::Integer)
            return static_cast<double>(Value.integer);
        break;
    case QMetaType::QString:
        if (Value.kind == Kind::String)
            return Value.text;
        break;
    case QMetaType::QChar:
        if (Value.kind == Kind::String && Value.text.size() == 1)
            return Value.text.front();
        break;
    case QMetaType::QStringList:
        if (Value.kind == Kind::List) {
            QStringList list;
            for (TFormValue const& item : Value.items) {
                if (item.kind != Kind::String)
                    break;
                list << item.text;
            }
            if (list.size() == static_cast<qsizetype>(Value.items.size()))
                return list;
        }
        break;
    case QMetaType::QByteArray:
        if (Value.kind == Kind::Binary)
            return Value.bytes;
        break;
    default:
        Error = QStringLiteral("Unsupported property type %1").arg(QString::fromLatin1(Property.typeName()));
        return {};
    }
    Error = QStringLiteral("Invalid property value");
    return {};
}

std::optional<TFormValue> VariantToFormValue(QMetaProperty const& Property, QVariant const& Value) {
    if (Property.isEnumType()) {
        QMetaEnum const enumerator = Property.enumerator();
        int const raw = RawInt(Value);
        if (enumerator.isFlag()) {
            QStringList names;
            for (int i = 0; i < enumerator.keyCount(); ++i) {
                int const bit = enumerator.value(i);
                if (bit != 0 && (raw & bit) == bit)
                    names << QString::fromLatin1(enumerator.key(i));
            }
            return TFormValue::Set(names);
        }
        if (char const* key = enumerator.valueToKey(raw))
            return TFormValue::Ident(QString::fromLatin1(key));
        return TFormValue::Integer(
            AcceptsNumbers(enumerator) && raw < 0 ? static_cast<qint64>(static_cast<quint32>(raw)) : raw);
    }
    switch (Property.metaType().id()) {
    case QMetaType::Bool:
        return TFormValue::Ident(Value.toBool() ? QStringLiteral("True") : QStringLiteral("False"));
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
        return TFormValue::Integer(Value.toLongLong());
    case QMetaType::Double:
        return TFormValue::Real(Value.toDouble());
    case QMetaType::QString:
        return TFormValue::String(Value.toString());
    case QMetaType::QChar:
        return TFormValue::String(QString(Value.toChar()));
    case QMetaType::QStringList: {
        std::vector<TFormValue> items;
        for (QString const& text : Value.toStringList())
            items.push_back(TFormValue::String(text));
        return TFormValue::List(std::move(items));
    }
    case QMetaType::QByteArray:
        return TFormValue::Binary(Value.toByteArray());
    default:
        return std::nullopt;
    }
}
