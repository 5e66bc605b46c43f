#pragma once

#include <QString>
#include <memory>

#include "core/shopping/XMLDocument.h"

// The XML routines shared by the Shopping API calls, the category tree, the
// country list and the stored searches.

// The Shopping API namespace, bound to the prefix "ebay" in every selection.
inline constexpr const char* kEBayNamespace = "urn:ebay:apis:eBLBaseComponents";

// A new, empty document ready for XPath selections.
std::unique_ptr<TXMLDocument> NewXPathDocument();

// Writes the document indented, as UTF-8 with a byte-order mark, atomically:
// a failed write leaves the previous file untouched. False (and *error) on failure.
bool SaveXMLPretty(const TXMLDocument& document, const QString& fileName, QString* error = nullptr);

// Text of the first node matching path below node, or def when there is none.
QString GetNodeText(TXMLNode node, const char* path, const QString& def);
// def, or true when the matching node's text, trimmed and lower-cased, is "true".
// A present "false" never clears a true default.
bool GetNodeBool(TXMLNode node, const char* path, bool def);
// The integer value of the matching node's text (32-bit, surrounding blanks
// allowed); def when the node is absent or its text is not such an integer.
int GetNodeInt(TXMLNode node, const char* path, int def);
