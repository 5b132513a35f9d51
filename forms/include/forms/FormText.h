// The classic text form of a form description, parsed into a TFormObject tree and printed back:
//
//   object Form1: TForm1
//     Caption = 'It''s'#13#10'two lines'
//     Font.Style = [fsBold, fsItalic]
//     object Button1: TButton
//       OnClick = Button1Click
//     end
//   end
//
// Values: integers (also $hex), reals, strings (quoted pieces with '' for a quote, #nn character
// codes, pieces joined with + across lines), identifiers, sets [a, b], lists ( v v ),
// collections < item ... end > and binary data { hex }.
#pragma once

#include "FormValue.h"

// Raises EParserError with the line number for text that is not a well-formed description.
TFormObject ParseFormText(QString const& Text);

QString PrintFormText(TFormObject const& Object);
