// Colour resolution, fonts with their classic size rules, pictures and the canvas.
#include "forms/Graphics.h"

#include "host/FrameDrawing.h"

#include <QBuffer>
#include <QtEndian>

#include <cmath>

QColor SystemColor(int Index) {
    DWORD const color = GetSysColor(Index);
    return QColor(color & 0xFF, (color >> 8) & 0xFF, (color >> 16) & 0xFF);
}

QColor ColorToRGB(TColor Color) {
    auto const value = static_cast<quint32>(Color);
    if (value & 0x80000000u)
        return SystemColor(static_cast<int>(value & 0xFF));
    return QColor(value & 0xFF, (value >> 8) & 0xFF, (value >> 16) & 0xFF);
}

void TFont::Changed() {
    if (OnChange)
        OnChange();
}

void TFont::SetCharset(TFontCharset Value) {
    if (Value != m_Charset) {
        m_Charset = Value;
        Changed();
    }
}

void TFont::SetColor(TColor Value) {
    if (Value != m_Color) {
        m_Color = Value;
        Changed();
    }
}

void TFont::SetHeight(int Value) {
    if (Value != m_Height) {
        m_Height = Value;
        Changed();
    }
}

void TFont::SetName(QString const& Value) {
    if (Value != m_Name) {
        m_Name = Value;
        Changed();
    }
}

void TFont::SetPitch(TFontPitch Value) {
    if (Value != m_Pitch) {
        m_Pitch = Value;
        Changed();
    }
}

int TFont::Size() const {
    return static_cast<int>(std::lround(-m_Height * 72.0 / 96.0));
}

void TFont::SetSize(int Value) {
    SetHeight(-static_cast<int>(std::lround(Value * 96.0 / 72.0)));
}

void TFont::SetStyle(TFontStyles Value) {
    if (Value != m_Style) {
        m_Style = Value;
        Changed();
    }
}

void TFont::Assign(TPersistent const* Source) {
    auto const* font = qobject_cast<TFont const*>(Source);
    if (!font) {
        TPersistent::Assign(Source);
        return;
    }
    bool const differs = m_Charset != font->m_Charset || m_Color != font->m_Color ||
                         m_Height != font->m_Height || m_Name != font->m_Name || m_Pitch != font->m_Pitch ||
                         m_Style != font->m_Style;
    m_Charset = font->m_Charset;
    m_Color = font->m_Color;
    m_Height = font->m_Height;
    m_Name = font->m_Name;
    m_Pitch = font->m_Pitch;
    m_Style = font->m_Style;
    if (differs)
        Changed();
}

QFont TFont::ToQFont() const {
    QFont font(host::substitute_family(m_Name));
    font.setStyleHint(m_Pitch == fpFixed ? QFont::TypeWriter : QFont::SansSerif);
    // A negative height is the character height (the em); a positive one includes the internal
    // leading, about a fifth of it in the classic faces.
    int const pixels = m_Height < 0 ? -m_Height : std::max(1, m_Height * 4 / 5);
    if (pixels > 0)
        font.setPixelSize(pixels);
    font.setBold(m_Style.testFlag(fsBold));
    font.setItalic(m_Style.testFlag(fsItalic));
    font.setUnderline(m_Style.testFlag(fsUnderline));
    font.setStrikeOut(m_Style.testFlag(fsStrikeOut));
    // The faces of the period were bitmap fonts: crisp pixels on the pixel grid, no grey edges.
    font.setStyleStrategy(QFont::NoAntialias);
    font.setHintingPreference(QFont::PreferFullHinting);
    return font;
}

void TPicture::SetImage(QImage const& Image) {
    QByteArray data;
    if (!Image.isNull()) {
        QBuffer buffer(&data);
        buffer.open(QIODevice::WriteOnly);
        Image.save(&buffer, "PNG");
    }
    m_Data = data;
    m_Image = Image;
    if (OnChange)
        OnChange();
}

void TPicture::SetData(QByteArray const& Data) {
    QImage image;
    if (!Data.isEmpty() && !image.loadFromData(Data)) {
        QByteArray payload = Data;
        auto const nameLength = static_cast<unsigned char>(payload.front());
        if (payload.size() > nameLength + 1 && payload.at(1) == 'T') {
            QByteArray const className = payload.mid(1, nameLength);
            payload = payload.mid(nameLength + 1);
            if (className == "TBitmap" && payload.size() > 4)
                payload = payload.mid(4);
        } else if (payload.size() > 4) {
            payload = payload.mid(4); // a bitmap's own Data: size, then the file
        }
        if (!image.loadFromData(payload))
            throw Exception(QStringLiteral("Bitmap image is not valid"));
    }
    m_Data = Data;
    m_Image = image;
    if (OnChange)
        OnChange();
}

void TPicture::DefineProperties(TFiler& Filer) {
    Filer.DefineProperty(
        QStringLiteral("Data"),
        [this](TFormValue const& value) {
            if (value.kind != TFormValue::Kind::Binary)
                throw Exception(QStringLiteral("Binary data expected"));
            SetData(value.bytes);
        },
        [this] { return TFormValue::Binary(m_Data); }, !m_Data.isEmpty());
}

void TPicture::Assign(TPersistent const* Source) {
    auto const* picture = qobject_cast<TPicture const*>(Source);
    if (!picture) {
        TPersistent::Assign(Source);
        return;
    }
    m_Data = picture->m_Data;
    m_Image = picture->m_Image;
    if (OnChange)
        OnChange();
}

TCanvas::TCanvas(QPainter& Painter, TFont const& Font) : m_Painter(Painter) {
    m_Font.Assign(&Font);
}

void TCanvas::FillRect(QRect const& Rect) {
    m_Painter.fillRect(Rect, ColorToRGB(BrushColor));
}

void TCanvas::MoveTo(int X, int Y) {
    m_PenPos = QPoint(X, Y);
}

void TCanvas::LineTo(int X, int Y) {
    // Like GDI, the end point itself is not drawn.
    m_Painter.save();
    m_Painter.setPen(QPen(ColorToRGB(PenColor), 0));
    QPoint const end(X, Y);
    QPoint const delta = end - m_PenPos;
    int const steps = std::max(std::abs(delta.x()), std::abs(delta.y()));
    for (int i = 0; i < steps; ++i)
        m_Painter.drawPoint(m_PenPos + delta * i / steps);
    m_Painter.restore();
    m_PenPos = end;
}

void TCanvas::Pixel(int X, int Y, TColor Color) {
    m_Painter.save();
    m_Painter.setPen(QPen(ColorToRGB(Color), 0));
    m_Painter.drawPoint(X, Y);
    m_Painter.restore();
}

void TCanvas::DrawText(QString const& Text, QRect const& Rect, int Flags) {
    m_Painter.save();
    m_Painter.setFont(m_Font.ToQFont());
    m_Painter.setPen(ColorToRGB(m_Font.Color()));
    m_Painter.drawText(Rect, Flags, Text);
    m_Painter.restore();
}

void TCanvas::TextOut(int X, int Y, QString const& Text) {
    m_Painter.save();
    QFont const font = m_Font.ToQFont();
    m_Painter.setFont(font);
    m_Painter.setPen(ColorToRGB(m_Font.Color()));
    m_Painter.drawText(QPoint(X, Y + QFontMetrics(font).ascent()), Text);
    m_Painter.restore();
}

void Frame3D(QPainter& Painter, QRect& Rect, TColor TopLeft, TColor BottomRight, int Width) {
    QColor const light = ColorToRGB(TopLeft);
    QColor const dark = ColorToRGB(BottomRight);
    for (int i = 0; i < Width && Rect.width() > 0 && Rect.height() > 0; ++i) {
        QRect const r = Rect;
        Painter.fillRect(QRect(r.left(), r.top(), r.width() - 1, 1), light);
        Painter.fillRect(QRect(r.left(), r.top(), 1, r.height() - 1), light);
        Painter.fillRect(QRect(r.right(), r.top(), 1, r.height()), dark);
        Painter.fillRect(QRect(r.left(), r.bottom(), r.width(), 1), dark);
        Rect.adjust(1, 1, -1, -1);
    }
}
