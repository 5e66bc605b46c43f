#pragma once

#include <libxml/tree.h>
#include <libxml/xpath.h>

#include <string>
#include <vector>

// A parsed answer with XPath queries; the prefix "e" stands for eBay's
// namespace.
class XmlAnswer {
 public:
  explicit XmlAnswer(const std::string& text);
  ~XmlAnswer();
  XmlAnswer(const XmlAnswer&) = delete;
  XmlAnswer& operator=(const XmlAnswer&) = delete;

  bool Ok() const { return doc_ != nullptr; }
  std::string Text(const std::string& xpath) const;  // first match, "" if none
  std::vector<std::string> Texts(const std::string& xpath) const;
  int Count(const std::string& xpath) const;
  // Child element names of every node the path selects, one list per node.
  std::vector<std::vector<std::string>> ChildNames(const std::string& xpath) const;
  std::string RootName() const;

 private:
  std::vector<xmlNode*> Select(const std::string& xpath) const;

  xmlDoc* doc_ = nullptr;
  xmlXPathContext* ctx_ = nullptr;
};
