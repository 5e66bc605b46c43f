#pragma once

#include <QByteArray>
#include <QString>
#include <vector>

#include "core/shopping/XMLNode.h"

struct _xmlDoc;

// An XML document that owns its libxml2 tree. Answers and files from the
// network are untrusted: parsing never reaches the network, never expands
// entities and keeps libxml2's size and depth limits, and a document that is
// not well-formed is refused with the parser's reason and the offending line.
class TXMLDocument {
 public:
  struct TParseError {
    QString Reason;   // the parser's message, empty after a successful load
    QString SrcText;  // the line of the input holding the error
    int Line = 0;
    int LinePos = 0;
  };

  TXMLDocument();
  ~TXMLDocument();
  TXMLDocument(const TXMLDocument&) = delete;
  TXMLDocument& operator=(const TXMLDocument&) = delete;

  // Loads decoded text. A declared encoding is ignored: the text is already text.
  bool LoadXML(const QString& text);
  // Loads UTF-8 text (already decoded, so a declared encoding is ignored).
  bool LoadXMLUtf8(const QByteArray& utf8);
  // Loads bytes, honouring a byte-order mark or the declared encoding.
  bool LoadXMLBytes(const QByteArray& bytes);
  // Loads a file as bytes. A missing file is a failed load with its reason.
  bool Load(const QString& fileName);
  const TParseError& ParseError() const { return FParseError; }

  TXMLNode DocumentElement() const;
  // Makes the node (created by this document) the document element, freeing a previous one.
  void SetDocumentElement(TXMLNode node);
  // A new element not yet linked anywhere; with a namespace URI it is declared
  // on the element as its default namespace. Append it or Free it.
  TXMLNode CreateElement(const char* name, const QByteArray& namespaceURI = QByteArray());
  // A copy of a node of another document (or this one), owned by this document, not linked.
  TXMLNode ImportNode(TXMLNode node, bool deep);

  TXMLNode SelectSingleNode(const char* path) const;
  std::vector<TXMLNode> SelectNodes(const char* path) const;

  // The document serialised as UTF-8 with its XML declaration, without indentation.
  QByteArray Xml() const;
  // The same with indentation.
  QByteArray XmlPretty() const;

  _xmlDoc* Handle() const { return FDoc; }

 private:
  bool ParseBytes(const QByteArray& bytes, bool ignoreDeclaredEncoding);

  _xmlDoc* FDoc = nullptr;
  TParseError FParseError;
};
