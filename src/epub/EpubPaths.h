#pragma once
#include <string>
#include <string_view>

namespace orbis {

// An EPUB names its files by URL, relative to the file that names them: "%20" for a blank,
// "../" to climb, "#id" for a place inside. The book's tables keep paths relative to the
// book's folder, decoded.

// The link `href` written in the file `base` (a path relative to the book folder), as a path
// relative to the book folder; `fragment`, when given, receives what follows "#". Empty for a
// link that leaves the book (absolute, with a scheme, or climbing above the book's folder).
std::string bookPathOf(std::string_view base, std::string_view href,
                       std::string* fragment = nullptr);

// "%xx" sequences decoded; a malformed one is kept as written.
std::string percentDecoded(std::string_view text);

}  // namespace orbis
