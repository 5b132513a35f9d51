// The parsed form of a form description: objects with properties whose values are integers,
// reals, strings, identifiers, sets, lists, collections of items or binary data.
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <vector>

struct TFormProperty;

struct TFormValue {
    enum class Kind { Integer, Real, String, Ident, Set, List, Collection, Binary };
    Kind kind = Kind::Integer;
    qint64 integer = 0;
    double real = 0;
    QString text;                                       // String, Ident
    QStringList names;                                  // Set
    std::vector<TFormValue> items;                      // List
    std::vector<std::vector<TFormProperty>> collection; // Collection: the properties of each item
    QByteArray bytes;                                   // Binary
    int line = 0;

    static TFormValue Integer(qint64 v);
    static TFormValue Real(double v);
    static TFormValue String(QString v);
    static TFormValue Ident(QString v);
    static TFormValue Set(QStringList v);
    static TFormValue List(std::vector<TFormValue> v);
    static TFormValue Binary(QByteArray v);
    bool operator==(TFormValue const& other) const;
};

struct TFormProperty {
    QString name; // possibly dotted: Font.Style
    TFormValue value;
    int line = 0;
    bool operator==(TFormProperty const& other) const { return name == other.name && value == other.value; }
};

struct TFormObject {
    QString name;
    QString className;
    std::vector<TFormProperty> properties;
    std::vector<TFormObject> children;
    int line = 0;
};
