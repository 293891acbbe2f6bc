// The text notation of component streams, both ways, as text form files, the code editor's options
// file and the clipboard use it:
//
//   object Form1: TForm
//     Caption = 'Don'#39't'#13#10'panic'
//     Font.Style = [fsBold, fsItalic]
//     Items.Strings = (
//       'one'
//       'two')
//     Picture.Data = {
//       0754426974...}
//     Keystrokes = <
//       item
//         Command = 3
//       end>
//     object Label1: TLabel
//     end
//   end
//
// The conversion works on the stream, not on the component model, so it keeps every record and value
// whatever its class. Text that is not plain ASCII is written with character codes (#233) and read
// back as wide strings; strings longer than 64 characters are split over lines joined with '+'.
// Floating-point values are written with the fewest digits that read back to the same number, so a
// form converted to text and back gives the same bytes. Reading accepts UTF-8 text and, for text
// made on Windows, Windows-1252; literals may also be given as raw characters.
#pragma once

#include "platform/errors.h"

#include <string>
#include <string_view>
#include <vector>

namespace vcl {

// "Invalid text form at line L, column C: ..."
class TextFormError : public platform::Error {
public:
    TextFormError(const std::string& detail, int line, int column);
    int line() const { return m_line; }
    int column() const { return m_column; }

private:
    int m_line;
    int m_column;
};

// Every stream in `binary` (one or more, each starting with TPF0) as text, objects one after the other.
// Throws StreamError for malformed input.
std::string componentStreamToText(std::string_view binary, std::string_view lineEnd = "\r\n");

// Every object of `text` as a stream of its own (TPF0 and its records), one after the other. Throws
// TextFormError for malformed input.
std::string textToComponentStream(std::string_view text);
// The same, one stream per object.
std::vector<std::string> textToComponentStreams(std::string_view text);

} // namespace vcl
