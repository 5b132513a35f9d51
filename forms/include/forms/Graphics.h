// Colours, fonts, pictures and the canvas painting code draws on.
#pragma once

#include "Classes.h"

#include <QColor>
#include <QFont>
#include <QImage>
#include <QPainter>
#include <QRect>

// The RGB colour a TColor stands for; system colours resolve to the Windows 95 standard scheme.
QColor ColorToRGB(TColor Color);
// The colour of system colour index `Index` (0 to 24), the Windows 95 standard scheme unless
// SetSysColors changed it; black beyond.
QColor SystemColor(int Index);

class TFont : public TPersistent {
    Q_OBJECT
    Q_CLASSINFO("NoDefault", "Charset,Color,Height,Name,Style")
    Q_PROPERTY(FormTypes::TFontCharset Charset READ Charset WRITE SetCharset)
    Q_PROPERTY(FormTypes::TColor Color READ Color WRITE SetColor)
    Q_PROPERTY(int Height READ Height WRITE SetHeight)
    Q_PROPERTY(QString Name READ Name WRITE SetName)
    Q_PROPERTY(FormTypes::TFontPitch Pitch READ Pitch WRITE SetPitch)
    Q_PROPERTY(int Size READ Size WRITE SetSize STORED false)
    Q_PROPERTY(FormTypes::TFontStyles Style READ Style WRITE SetStyle)
  public:
    Q_INVOKABLE TFont() = default;

    TFontCharset Charset() const { return m_Charset; }
    void SetCharset(TFontCharset Value);
    TColor Color() const { return m_Color; }
    void SetColor(TColor Value);
    // Negative: character height in pixels; positive: cell height.
    int Height() const { return m_Height; }
    void SetHeight(int Value);
    QString Name() const { return m_Name; }
    void SetName(QString const& Value);
    TFontPitch Pitch() const { return m_Pitch; }
    void SetPitch(TFontPitch Value);
    // Points at 96 pixels per inch.
    int Size() const;
    void SetSize(int Value);
    TFontStyles Style() const { return m_Style; }
    void SetStyle(TFontStyles Value);

    void Assign(TPersistent const* Source) override;
    QFont ToQFont() const;

    // Called after every change.
    std::function<void()> OnChange;

  private:
    void Changed();

    TFontCharset m_Charset = DEFAULT_CHARSET;
    TColor m_Color = clWindowText;
    int m_Height = -11;
    QString m_Name = QStringLiteral("MS Sans Serif");
    TFontPitch m_Pitch = fpDefault;
    TFontStyles m_Style;
};

// A stored image: the bytes of the form description's Data property and the image they hold.
// Data is either an image file (BMP, PNG, ...) or the classic layout: a length-prefixed class name
// ("TBitmap") and, for a bitmap, a 32-bit size before the file.
class TPicture : public TPersistent {
    Q_OBJECT
  public:
    Q_INVOKABLE TPicture() = default;

    QImage const& Image() const { return m_Image; }
    // Stores the image, encoded as PNG for the form description.
    void SetImage(QImage const& Image);
    QByteArray const& Data() const { return m_Data; }
    // Raises Exception when the bytes hold no image.
    void SetData(QByteArray const& Data);
    bool Empty() const { return m_Image.isNull(); }

    void DefineProperties(TFiler& Filer) override;
    void Assign(TPersistent const* Source) override;

    std::function<void()> OnChange;

  private:
    QByteArray m_Data;
    QImage m_Image;
};

// Drawing on a control during its Paint. Rectangles are Qt's (right and bottom inclusive).
class TCanvas {
  public:
    TCanvas(QPainter& Painter, TFont const& Font);

    QPainter& Painter() { return m_Painter; }
    TFont& Font() { return m_Font; }
    TColor BrushColor = clBtnFace;
    TColor PenColor = clBlack;

    void FillRect(QRect const& Rect);
    void MoveTo(int X, int Y);
    void LineTo(int X, int Y);
    void Pixel(int X, int Y, TColor Color);
    // Text in `Rect` with Qt alignment and text flags (Qt::TextWordWrap, Qt::TextShowMnemonic...).
    void DrawText(QString const& Text, QRect const& Rect, int Flags);
    void TextOut(int X, int Y, QString const& Text);

  private:
    QPainter& m_Painter;
    TFont m_Font;
    QPoint m_PenPos;
};

// The classic 3D frame: `Width` rings of `TopLeft` on the top and left edges and `BottomRight` on
// the bottom and right edges (with the top-right and bottom-left corner pixels); shrinks `Rect`.
void Frame3D(QPainter& Painter, QRect& Rect, TColor TopLeft, TColor BottomRight, int Width);
