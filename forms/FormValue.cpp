#include "forms/FormValue.h"

TFormValue TFormValue::Integer(qint64 v) {
    TFormValue value;
    value.kind = Kind::Integer;
    value.integer = v;
    return value;
}

TFormValue TFormValue::Real(double v) {
    TFormValue value;
    value.kind = Kind::Real;
    value.real = v;
    return value;
}

TFormValue TFormValue::String(QString v) {
    TFormValue value;
    value.kind = Kind::String;
    value.text = std::move(v);
    return value;
}

TFormValue TFormValue::Ident(QString v) {
    TFormValue value;
    value.kind = Kind::Ident;
    value.text = std::move(v);
    return value;
}

TFormValue TFormValue::Set(QStringList v) {
    TFormValue value;
    value.kind = Kind::Set;
    value.names = std::move(v);
    return value;
}

TFormValue TFormValue::List(std::vector<TFormValue> v) {
    TFormValue value;
    value.kind = Kind::List;
    value.items = std::move(v);
    return value;
}

TFormValue TFormValue::Binary(QByteArray v) {
    TFormValue value;
    value.kind = Kind::Binary;
    value.bytes = std::move(v);
    return value;
}

bool TFormValue::operator==(TFormValue const& other) const {
    if (kind != other.kind)
        return false;
    switch (kind) {
    case Kind::Integer:
        return integer == other.integer;
    case Kind::Real:
        return real == other.real;
    case Kind::String:
    case Kind::Ident:
        return text == other.text;
    case Kind::Set:
        return names == other.names;
    case Kind::List:
        return items == other.items;
    case Kind::Collection:
        return collection == other.collection;
    case Kind::Binary:
        return bytes == other.bytes;
    }
    return false;
}
