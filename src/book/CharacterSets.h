#pragma once
#include <string>
#include <string_view>

namespace orbis {

// The code page a book's character-set declaration line names, as a Windows code-page number
// (the numbers books and stored data speak of), or 0 when the line names none that this system
// can convert. The whole line is searched, in lower case, group by group; within the matching
// group the code pages are tried in order while the converter can open one.
int codePageFromDeclaration(std::string_view line);

// The converter's name for a code page ("WINDOWS-1252", ...); empty for an unknown number.
std::string_view codePageName(int codePage);
// Whether the converter can turn that code page into UTF-8 here.
bool codePageAvailable(int codePage);

// Converts text of the book's code page into UTF-8, the program's encoding. With code page 0
// (nothing declared) valid UTF-8 stays as it is and anything else is read as Windows-1252.
// Bytes the code page cannot map become U+FFFD; nothing is dropped silently.
std::string toUtf8(std::string_view text, int codePage);

bool isValidUtf8(std::string_view text);

// The Unicode character of a Windows-1252 byte.
char32_t windows1252Char(unsigned char byte);
// Appends a character as UTF-8; surrogates and values past U+10FFFF become U+FFFD.
void appendUtf8(std::string& out, char32_t code);

}  // namespace orbis
