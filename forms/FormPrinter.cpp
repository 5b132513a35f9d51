// Printer of the text form of form descriptions, in the classic layout: two spaces of indent
// per level, strings quoted with #nn codes for characters outside printable ASCII.
#include "forms/FormText.h"

namespace {

QString QuoteString(QString const& text) {
    if (text.isEmpty())
        return QStringLiteral("''");
    QString out;
    bool inQuotes = false;
    for (QChar c : text) {
        bool printable = c.unicode() >= 0x20 && c.unicode() < 0x7F;
        if (printable != inQuotes) {
            out += u'\'';
            inQuotes = printable;
        }
        if (!printable)
            out += u'#' + QString::number(c.unicode());
        else if (c == u'\'')
            out += QStringLiteral("''");
        else
            out += c;
    }
    if (inQuotes)
        out += u'\'';
    return out;
}

void PrintProperties(QString& out, std::vector<TFormProperty> const& properties, int indent);

void PrintValue(QString& out, TFormValue const& value, int indent) {
    QString const pad(indent + 2, u' ');
    switch (value.kind) {
    case TFormValue::Kind::Integer:
        out += QString::number(value.integer);
        break;
    case TFormValue::Kind::Real:
        out += QString::number(value.real, 'g', 17);
        break;
    case TFormValue::Kind::String:
        out += QuoteString(value.text);
        break;
    case TFormValue::Kind::Ident:
        out += value.text;
        break;
    case TFormValue::Kind::Set:
        out += u'[' + value.names.join(QStringLiteral(", ")) + u']';
        break;
    case TFormValue::Kind::List:
        out += u'(';
        for (TFormValue const& item : value.items) {
            out += u'\n' + pad;
            PrintValue(out, item, indent + 2);
        }
        out += u')';
        break;
    case TFormValue::Kind::Collection:
        out += u'<';
        for (auto const& item : value.collection) {
            out += u'\n' + pad + QStringLiteral("item\n");
            PrintProperties(out, item, indent + 4);
            out += pad + QStringLiteral("end");
        }
        out += u'>';
        break;
    case TFormValue::Kind::Binary: {
        out += u'{';
        QByteArray const hex = value.bytes.toHex().toUpper();
        for (qsizetype i = 0; i < hex.size(); i += 64)
            out += u'\n' + pad + QString::fromLatin1(hex.mid(i, 64));
        out += u'}';
        break;
    }
    }
}

void PrintProperties(QString& out, std::vector<TFormProperty> const& properties, int indent) {
    QString const pad(indent, u' ');
    for (TFormProperty const& property : properties) {
        out += pad + property.name + QStringLiteral(" = ");
        PrintValue(out, property.value, indent);
        out += u'\n';
    }
}

void PrintObject(QString& out, TFormObject const& object, int indent) {
    QString const pad(indent, u' ');
    out += pad + QStringLiteral("object ");
    out += object.name.isEmpty() ? object.className : object.name + QStringLiteral(": ") + object.className;
    out += u'\n';
    PrintProperties(out, object.properties, indent + 2);
    for (TFormObject const& child : object.children)
        PrintObject(out, child, indent + 2);
    out += pad + QStringLiteral("end\n");
}

} // namespace

QString PrintFormText(TFormObject const& Object) {
    QString out;
    PrintObject(out, Object, 0);
    return out;
}
