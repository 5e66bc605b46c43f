#pragma once

#include <QByteArray>
#include <QString>
#include <vector>

struct _xmlNode;

// A non-owning handle to one node of a TXMLDocument. Handles are cheap to copy
// and stay valid as long as the node is part of its document; a default handle
// is the "none" node and answers every question with an empty result.
//
// XPath paths are XPath 1.0 with the prefix "ebay" bound to the Shopping API
// namespace, evaluated relative to this node. Paths are the program's own
// constants: they are compiled once and kept.
class TXMLNode {
 public:
  TXMLNode() = default;
  explicit TXMLNode(_xmlNode* node) : FNode(node) {}

  bool IsNull() const { return FNode == nullptr; }
  explicit operator bool() const { return FNode != nullptr; }
  _xmlNode* Handle() const { return FNode; }
  bool operator==(const TXMLNode& other) const { return FNode == other.FNode; }

  bool IsElement() const;
  // The name as written, with its prefix when there is one ("#text" for text nodes).
  QString NodeName() const;
  // The name without prefix.
  QString LocalName() const;
  // The local name as libxml2 keeps it (UTF-8), "" for none; valid while the node lives.
  const char* LocalNameRaw() const;
  // Compares the local name with an ASCII name without building a QString.
  bool HasLocalName(const char* name) const;
  QString NamespaceURI() const;
  // Whether the node is an element in the namespace (compared without building a QString).
  bool IsInNamespace(const char* uri) const;

  // The concatenated text of every descendant text and CDATA node. Entity
  // references are not followed, so the result never grows beyond the input.
  QString Text() const;
  // Replaces the children by one text node; characters XML cannot carry are dropped.
  void SetText(const QString& text);

  bool HasAttribute(const char* name) const;
  // An attribute without namespace; empty when absent.
  QString Attribute(const char* name) const;
  void SetAttribute(const char* name, const QString& value);

  TXMLNode Parent() const;
  TXMLNode FirstChild() const;
  TXMLNode LastChild() const;
  TXMLNode NextSibling() const;
  bool HasChildNodes() const;
  // The same, skipping everything that is not an element (whitespace, comments).
  TXMLNode FirstChildElement() const;
  TXMLNode LastChildElement() const;
  TXMLNode NextSiblingElement() const;

  // Appends a new element in this element's namespace, with the text when given.
  TXMLNode AppendElement(const char* name, const QString& text = QString());
  // Appends an element without namespace.
  TXMLNode AppendElementNoNS(const char* name, const QString& text = QString());
  // Appends a node that belongs to no parent yet (created by the same document,
  // or a copy). Returns the appended node.
  TXMLNode AppendChild(TXMLNode child);
  // A copy of this node (with its subtree when deep) in the same document, not
  // yet linked anywhere: append it or Free it.
  TXMLNode CloneNode(bool deep) const;
  // Unlinks the node from its parent (the node and its subtree stay allocated).
  void Unlink();
  // Unlinks and frees the node and its subtree; the handle becomes none.
  void Free();

  TXMLNode SelectSingleNode(const char* path) const;
  std::vector<TXMLNode> SelectNodes(const char* path) const;

 private:
  _xmlNode* FNode = nullptr;
};
