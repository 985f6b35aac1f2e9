#pragma once
#include <string>
#include <string_view>

namespace orbis {

// The OCF container of an unpacked EPUB: META-INF/container.xml names the package document,
// META-INF/encryption.xml the files that are encrypted.

// Whether the folder holds an unpacked EPUB (META-INF/container.xml, any letter case).
bool isEpubFolder(const std::string& folder);

// The package document the container names (its first rootfile of the package media type, else
// its first rootfile), relative to the folder; empty when none can be read.
std::string packageDocumentOf(const std::string& folder);
// The same from the bytes of container.xml.
std::string packageDocumentIn(std::string_view containerXml);

// Whether any file is encrypted by something other than font obfuscation. Obfuscated fonts are
// no loss: the text view uses its own fonts. A garbled encryption.xml counts as encrypted, since
// what it hides cannot be known.
bool hasEncryptedContent(const std::string& folder);

}  // namespace orbis
