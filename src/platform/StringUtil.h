#pragma once
// Text helpers shared by the save files, the font loader and the widget layer. Text is
// UTF-8 in std::string; code points are 32-bit.
#include <cstdint>
#include <string>
#include <vector>

// Splits like reading a stream with `delimiter` as line end: an empty field between
// two delimiters is kept, a trailing delimiter adds no field.
std::vector<std::string> split(const std::string& line, char delimiter);

// As split, but spaces between the first and the last double quote stay inside their
// field and the quotes are dropped. Font descriptions rely on it for names with spaces.
// A '#' in the line comes out as a space: it is the placeholder for protected spaces.
std::vector<std::string> splitQuoted(const std::string& line, char delimiter);

// The widget layer's name hash. Callers compare hashes only; collisions are accepted.
std::uint32_t hashName(const std::string& name);

// Bytes in the sequence that `leadByte` starts (1 to 6, the original wide UTF-8 forms).
int utf8SequenceLength(unsigned char leadByte);

// Decodes up to the first zero byte. A sequence cut short by the end of the text or
// by a zero byte yields U+FFFD and ends the decoding rather than reading past it.
std::vector<std::uint32_t> utf8ToCodepoints(const std::string& text);

// Encodes up to the first zero code point; code points past U+10FFFF become U+FFFD.
std::string codepointsToUtf8(const std::vector<std::uint32_t>& codepoints);
