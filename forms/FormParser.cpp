// Parser of the text form of form descriptions.
#include "forms/FormText.h"

#include "forms/SysUtils.h"

namespace {

class TFormParser {
  public:
    explicit TFormParser(QString const& text) : m_Text(text) {}

    TFormObject ParseRoot() {
        TFormObject root = ParseObject();
        SkipBlanks();
        if (!AtEnd())
            Fail(QStringLiteral("Text after the final end"));
        return root;
    }

  private:
    [[noreturn]] void Fail(QString const& what) const {
        throw EParserError(QStringLiteral("Line %1: %2").arg(m_Line).arg(what));
    }

    bool AtEnd() const { return m_Pos >= m_Text.size(); }
    QChar Peek() const { return AtEnd() ? QChar() : m_Text[m_Pos]; }

    void SkipBlanks() {
        while (!AtEnd()) {
            QChar c = m_Text[m_Pos];
            if (c == u'\n')
                ++m_Line;
            else if (!c.isSpace())
                return;
            ++m_Pos;
        }
    }

    static bool IsIdentStart(QChar c) { return c.isLetter() || c == u'_'; }
    static bool IsIdentChar(QChar c) { return c.isLetterOrNumber() || c == u'_'; }

    QString ReadIdent() {
        SkipBlanks();
        if (!IsIdentStart(Peek()))
            Fail(QStringLiteral("Identifier expected"));
        qsizetype start = m_Pos;
        while (!AtEnd() && IsIdentChar(m_Text[m_Pos]))
            ++m_Pos;
        return m_Text.mid(start, m_Pos - start);
    }

    // An identifier with dotted parts: Font.Style, Form1.Edit1.
    QString ReadDottedIdent() {
        QString name = ReadIdent();
        while (Peek() == u'.') {
            ++m_Pos;
            name += u'.' + ReadIdent();
        }
        return name;
    }

    void Expect(QChar c) {
        SkipBlanks();
        if (Peek() != c)
            Fail(QStringLiteral("'%1' expected").arg(c));
        ++m_Pos;
    }

    bool PeekKeyword(QString const& word) {
        SkipBlanks();
        qsizetype end = m_Pos + word.size();
        if (end > m_Text.size() || m_Text.mid(m_Pos, word.size()).compare(word, Qt::CaseInsensitive) != 0)
            return false;
        return end == m_Text.size() || !IsIdentChar(m_Text[end]);
    }

    TFormObject ParseObject() {
        SkipBlanks();
        TFormObject object;
        object.line = m_Line;
        if (!PeekKeyword(QStringLiteral("object")) && !PeekKeyword(QStringLiteral("inherited")) &&
            !PeekKeyword(QStringLiteral("inline")))
            Fail(QStringLiteral("'object' expected"));
        ReadIdent();
        QString first = ReadIdent();
        SkipBlanks();
        if (Peek() == u':') {
            ++m_Pos;
            object.name = first;
            object.className = ReadIdent();
        } else {
            object.className = first;
        }
        for (;;) {
            if (PeekKeyword(QStringLiteral("end"))) {
                ReadIdent();
                return object;
            }
            if (PeekKeyword(QStringLiteral("object")) || PeekKeyword(QStringLiteral("inherited")) ||
                PeekKeyword(QStringLiteral("inline"))) {
                object.children.push_back(ParseObject());
                continue;
            }
            if (AtEnd())
                Fail(QStringLiteral("'end' expected for %1")
                         .arg(object.name.isEmpty() ? object.className : object.name));
            if (!object.children.empty())
                Fail(QStringLiteral("Property after a nested object"));
            object.properties.push_back(ParseProperty());
        }
    }

    TFormProperty ParseProperty() {
        TFormProperty property;
        SkipBlanks();
        property.line = m_Line;
        property.name = ReadDottedIdent();
        Expect(u'=');
        property.value = ParseValue();
        return property;
    }

    TFormValue ParseValue() {
        SkipBlanks();
        int const line = m_Line;
        TFormValue value;
        QChar c = Peek();
        if (c == u'\'' || c == u'#')
            value = TFormValue::String(ReadString());
        else if (c == u'-' || c == u'+' || c == u'$' || c.isDigit())
            value = ReadNumber();
        else if (c == u'[')
            value = ReadSet();
        else if (c == u'(')
            value = ReadList();
        else if (c == u'<')
            value = ReadCollection();
        else if (c == u'{')
            value = ReadBinary();
        else if (IsIdentStart(c))
            value = TFormValue::Ident(ReadDottedIdent());
        else
            Fail(QStringLiteral("Value expected"));
        value.line = line;
        return value;
    }

    QString ReadString() {
        QString result;
        for (;;) {
            QChar c = Peek();
            if (c == u'\'') {
                ++m_Pos;
                for (;;) {
                    if (AtEnd() || Peek() == u'\n')
                        Fail(QStringLiteral("Unterminated string"));
                    QChar d = m_Text[m_Pos++];
                    if (d == u'\'') {
                        if (Peek() != u'\'')
                            break;
                        ++m_Pos;
                    }
                    result += d;
                }
            } else if (c == u'#') {
                ++m_Pos;
                result += ReadCharCode();
            } else {
                // Pieces continue on the next line after a +.
                qsizetype pos = m_Pos;
                int line = m_Line;
                SkipBlanks();
                if (Peek() == u'+') {
                    ++m_Pos;
                    SkipBlanks();
                    if (Peek() == u'\'' || Peek() == u'#')
                        continue;
                    Fail(QStringLiteral("String expected after +"));
                }
                m_Pos = pos;
                m_Line = line;
                return result;
            }
        }
    }

    QChar ReadCharCode() {
        int base = 10;
        if (Peek() == u'$') {
            base = 16;
            ++m_Pos;
        }
        qsizetype start = m_Pos;
        while (!AtEnd() &&
               (base == 16 ? isxdigit(m_Text[m_Pos].unicode() & 0x7F) && m_Text[m_Pos].unicode() < 128
                           : m_Text[m_Pos].isDigit()))
            ++m_Pos;
        bool ok = false;
        uint code = m_Text.mid(start, m_Pos - start).toUInt(&ok, base);
        if (!ok || code > 0xFFFF)
            Fail(QStringLiteral("Invalid character code"));
        return QChar(static_cast<char16_t>(code));
    }

    TFormValue ReadNumber() {
        qsizetype start = m_Pos;
        if (Peek() == u'-' || Peek() == u'+')
            ++m_Pos;
        bool hex = Peek() == u'$';
        if (hex)
            ++m_Pos;
        bool real = false;
        while (!AtEnd()) {
            QChar c = m_Text[m_Pos];
            if (c.isDigit() || (hex && c.unicode() < 128 && isxdigit(c.unicode())))
                ++m_Pos;
            else if (!hex && (c == u'.' || c == u'e' || c == u'E' ||
                              ((c == u'-' || c == u'+') && real &&
                               (m_Text[m_Pos - 1] == u'e' || m_Text[m_Pos - 1] == u'E')))) {
                real = true;
                ++m_Pos;
            } else
                break;
        }
        QString token = m_Text.mid(start, m_Pos - start);
        bool ok = false;
        if (real) {
            double v = token.toDouble(&ok);
            if (!ok)
                Fail(QStringLiteral("Invalid number %1").arg(token));
            return TFormValue::Real(v);
        }
        qint64 v = 0;
        if (hex) {
            bool negative = token.startsWith(u'-');
            QString digits = token.mid(token.indexOf(u'$') + 1);
            v = static_cast<qint64>(digits.toULongLong(&ok, 16));
            if (negative)
                v = -v;
        } else {
            v = token.toLongLong(&ok, 10);
        }
        if (!ok)
            Fail(QStringLiteral("Invalid number %1").arg(token));
        return TFormValue::Integer(v);
    }

    TFormValue ReadSet() {
        Expect(u'[');
        QStringList names;
        SkipBlanks();
        if (Peek() == u']') {
            ++m_Pos;
            return TFormValue::Set(names);
        }
        for (;;) {
            SkipBlanks();
            if (Peek().isDigit()) {
                qsizetype start = m_Pos;
                while (!AtEnd() && m_Text[m_Pos].isDigit())
                    ++m_Pos;
                names << m_Text.mid(start, m_Pos - start);
            } else {
                names << ReadIdent();
            }
            SkipBlanks();
            if (Peek() == u']') {
                ++m_Pos;
                return TFormValue::Set(names);
            }
            Expect(u',');
        }
    }

    TFormValue ReadList() {
        Expect(u'(');
        std::vector<TFormValue> items;
        for (;;) {
            SkipBlanks();
            if (Peek() == u')') {
                ++m_Pos;
                return TFormValue::List(std::move(items));
            }
            if (AtEnd())
                Fail(QStringLiteral("')' expected"));
            items.push_back(ParseValue());
        }
    }

    TFormValue ReadCollection() {
        Expect(u'<');
        TFormValue value;
        value.kind = TFormValue::Kind::Collection;
        for (;;) {
            SkipBlanks();
            if (Peek() == u'>') {
                ++m_Pos;
                return value;
            }
            if (!PeekKeyword(QStringLiteral("item")))
                Fail(QStringLiteral("'item' expected"));
            ReadIdent();
            std::vector<TFormProperty> properties;
            while (!PeekKeyword(QStringLiteral("end"))) {
                if (AtEnd())
                    Fail(QStringLiteral("'end' expected for item"));
                properties.push_back(ParseProperty());
            }
            ReadIdent();
            value.collection.push_back(std::move(properties));
        }
    }

    TFormValue ReadBinary() {
        Expect(u'{');
        QByteArray hex;
        for (;;) {
            SkipBlanks();
            if (AtEnd())
                Fail(QStringLiteral("'}' expected"));
            QChar c = m_Text[m_Pos++];
            if (c == u'}')
                break;
            if (c.unicode() >= 128 || !isxdigit(c.unicode()))
                Fail(QStringLiteral("Invalid binary data"));
            hex += static_cast<char>(c.unicode());
        }
        if (hex.size() % 2 != 0)
            Fail(QStringLiteral("Odd number of hex digits in binary data"));
        return TFormValue::Binary(QByteArray::fromHex(hex));
    }

    QString const& m_Text;
    qsizetype m_Pos = 0;
    int m_Line = 1;
};

} // namespace

TFormObject ParseFormText(QString const& Text) {
    return TFormParser(Text).ParseRoot();
}
