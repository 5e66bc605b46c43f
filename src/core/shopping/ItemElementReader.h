#pragma once

#include <QString>
#include <vector>

#include "core/shopping/XMLNode.h"

// Reads the child elements of one Shopping API element ("Item", "Seller").
// "First(name)" is what the path "./ebay:name" selects: the first child
// element in the API namespace with that name. The children are collected
// once, so reading forty fields of a listing costs one walk over its children
// instead of forty XPath evaluations.
class TItemElementReader {
 public:
  explicit TItemElementReader(TXMLNode element);

  TXMLNode First(const char* name) const;
  std::vector<TXMLNode> All(const char* name) const;
  // The text of First(name), or def when there is none.
  QString Text(const char* name, const QString& def) const;
  // def, or true when First(name)'s text, trimmed and lower-cased, is "true".
  bool Bool(const char* name, bool def) const;

 private:
  std::vector<TXMLNode> FChildren;
};
