#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace plax {

bool IsBlank(char c);
// The first `maxLength` characters of `text`.
std::string CutText(std::string text, std::size_t maxLength);
// Leading and trailing blanks removed, every inner run of blanks reduced to one blank.
std::string TrimText(std::string_view text);
std::string PadLeft(std::string_view text, std::size_t width);
std::string PadRight(std::string_view text, std::size_t width);
// As PadLeft and PadRight for a table cell: a text as wide as the cell or wider still gets one
// blank on the side of its neighbour, so that columns never run together.
std::string CellRight(std::string_view text, std::size_t width);
std::string CellLeft(std::string_view text, std::size_t width);

// Fixed notation with `decimals` places, then leading blanks, trailing zeros and a trailing
// decimal point removed: 12.5 -> "12.5", 3.0 -> "3", 0.00004 -> "0" (with four places).
std::string FormatTrimmed(double value, int decimals);
// Weights, lengths and flows in Results texts and exports: four places, trimmed.
std::string ResultNumber(double value);

// Room for any double in the trimmed format with up to 20 places (309 integer digits at most).
inline constexpr std::size_t TrimmedNumberRoom = 352;
// The trimmed format written into `out` (TrimmedNumberRoom characters); answers its length.
// `decimals` is 0..20.
std::size_t WriteTrimmed(char* out, double value, int decimals);
// The trimmed format and the Result number format appended to a line being built.
void AppendTrimmed(std::string& line, double value, int decimals);
void AppendResultNumber(std::string& line, double value);
// A whole number in decimal appended right-aligned in `width` characters; a wider one is kept
// whole, as PadLeft keeps it.
void AppendRightAligned(std::string& line, long long value, std::size_t width);
// The same written into `out`, which holds max(width, 20) characters; answers the end.
char* WriteRightAligned(char* out, long long value, std::size_t width);

// The file name after its last directory separator.
std::string FileNameOf(std::string_view path);
// The extension from the last "." of the file name, upper-cased (".NET"), or "".
std::string UpperExtension(std::string_view path);

// Names are 8-bit strings read as Latin-1; files of other programs are UTF-8. A character beyond
// Latin-1 becomes "?", and a byte that is no part of a UTF-8 sequence is taken as the Latin-1
// character it is.
std::string Latin1ToUtf8(std::string_view bytes);
std::string Utf8ToLatin1(std::string_view text);

// The lines of a text without their ends: CR LF, LF and a CR alone each end a line, as the
// programs that wrote the text may have meant. A last line without an end counts.
std::vector<std::string_view> TextLines(std::string_view text);

} // namespace plax
