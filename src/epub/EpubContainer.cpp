#include "epub/EpubContainer.h"

#include <string_view>

#include "book/BookPaths.h"
#include "daisy3/XmlFile.h"
#include "epub/EpubPaths.h"

namespace orbis {

namespace {

constexpr const char* kContainer = "META-INF/container.xml";
constexpr const char* kEncryption = "META-INF/encryption.xml";

// The two ways of obfuscating fonts in use; neither hides text.
constexpr std::string_view kFontObfuscation[] = {"http://www.idpf.org/2008/embedding",
                                                 "http://ns.adobe.com/pdf/enc#RC"};

// The content of an EncryptedData element is readable only when its method is a font
// obfuscation; a missing method hides it as well.
bool isFontObfuscation(xml::Node data) {
  const std::string algorithm =
      xml::attribute(xml::firstChild(data, "EncryptionMethod"), "Algorithm");
  for (std::string_view known : kFontObfuscation)
    if (algorithm == known) return true;
  return false;
}

}  // namespace

bool isEpubFolder(const std::string& folder) {
  return readBookFile(folder, kContainer).has_value();
}

std::string packageDocumentOf(const std::string& folder) {
  const std::optional<std::string> bytes = readBookFile(folder, kContainer);
  return bytes ? packageDocumentIn(*bytes) : std::string();
}

std::string packageDocumentIn(std::string_view containerXml) {
  const xml::XmlFile file = xml::XmlFile::parse(containerXml, kContainer);
  xml::Node root = file.root();
  if (!xml::isElement(root, "container")) return {};
  std::string first, package;
  xml::forEachChild(xml::firstChild(root, "rootfiles"), [&](xml::Node rootfile) {
    if (!xml::isElement(rootfile, "rootfile")) return;
    const std::string path = bookPathOf("", xml::attribute(rootfile, "full-path"));
    if (path.empty()) return;
    if (first.empty()) first = path;
    if (package.empty() &&
        xml::attribute(rootfile, "media-type") == "application/oebps-package+xml")
      package = path;
  });
  return package.empty() ? first : package;
}

bool hasEncryptedContent(const std::string& folder) {
  const std::optional<std::string> bytes = readBookFile(folder, kEncryption);
  if (!bytes) return false;
  const xml::XmlFile file = xml::XmlFile::parse(*bytes, folder + kEncryption);
  xml::Node root = file.root();
  if (!xml::isElement(root, "encryption")) return true;
  bool encrypted = false;
  xml::forEachChild(root, [&](xml::Node data) {
    // An encrypted key alone hides nothing; what it unlocks is named by EncryptedData.
    if (xml::isElement(data, "EncryptedData") && !isFontObfuscation(data)) encrypted = true;
  });
  return encrypted;
}

}  // namespace orbis
