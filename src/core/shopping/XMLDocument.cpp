#include "core/shopping/XMLDocument.h"

#include <libxml/parser.h>
#include <libxml/tree.h>
#include <libxml/xmlerror.h>

#include <QFile>

namespace {

// The longest source line quoted in a parse error: answers often come on one line.
constexpr int kMaxSrcTextBytes = 1024;

struct TFirstError {
  bool Seen = false;
  QString Message;
  int Line = 0;
  int Column = 0;
};

// Keeps the first error of a parse; libxml2 reports follow-up errors after it.
void CaptureError(void* data, xmlErrorPtr error) {
  auto* ctxt = static_cast<xmlParserCtxtPtr>(data);
  if (!ctxt || !error || error->level < XML_ERR_ERROR) return;
  auto* first = static_cast<TFirstError*>(ctxt->_private);
  if (!first || first->Seen) return;
  first->Seen = true;
  first->Message = QString::fromUtf8(error->message ? error->message : "").trimmed();
  first->Line = error->line;
  first->Column = error->int2;
}

QString SourceLine(const QByteArray& bytes, int line) {
  if (line < 1) return QString();
  int start = 0;
  for (int current = 1; current < line; ++current) {
    const int nl = bytes.indexOf('\n', start);
    if (nl < 0) return QString();
    start = nl + 1;
  }
  int end = bytes.indexOf('\n', start);
  if (end < 0) end = bytes.size();
  QByteArray text = bytes.mid(start, qMin(end - start, kMaxSrcTextBytes));
  if (text.endsWith('\r')) text.chop(1);
  return QString::fromUtf8(text);
}

}  // namespace

TXMLDocument::TXMLDocument() {
  FDoc = xmlNewDoc(BAD_CAST "1.0");
}

TXMLDocument::~TXMLDocument() {
  if (FDoc) xmlFreeDoc(FDoc);
}

bool TXMLDocument::LoadXML(const QString& text) {
  return ParseBytes(text.toUtf8(), true);
}

bool TXMLDocument::LoadXMLUtf8(const QByteArray& utf8) {
  return ParseBytes(utf8, true);
}

bool TXMLDocument::LoadXMLBytes(const QByteArray& bytes) {
  return ParseBytes(bytes, false);
}

bool TXMLDocument::Load(const QString& fileName) {
  QFile file(fileName);
  if (!file.open(QIODevice::ReadOnly)) {
    if (FDoc) xmlFreeDoc(FDoc);
    FDoc = xmlNewDoc(BAD_CAST "1.0");
    FParseError = TParseError();
    FParseError.Reason = file.errorString();
    return false;
  }
  return ParseBytes(file.readAll(), false);
}

bool TXMLDocument::ParseBytes(const QByteArray& bytes, bool ignoreDeclaredEncoding) {
  if (FDoc) xmlFreeDoc(FDoc);
  FDoc = nullptr;
  FParseError = TParseError();

  xmlParserCtxtPtr ctxt = xmlNewParserCtxt();
  TFirstError first;
  xmlDocPtr doc = nullptr;
  if (ctxt) {
    ctxt->_private = &first;
    ctxt->sax->serror = &CaptureError;
    // Never the network, never entity substitution, no DTD loading; libxml2's
    // limits on depth and text size stay on (no XML_PARSE_HUGE).
    int options = XML_PARSE_NONET | XML_PARSE_NOERROR | XML_PARSE_NOWARNING;
    if (ignoreDeclaredEncoding) options |= XML_PARSE_IGNORE_ENC;
    doc = xmlCtxtReadMemory(ctxt, bytes.constData(), bytes.size(), nullptr,
                            ignoreDeclaredEncoding ? "UTF-8" : nullptr, options);
    if (doc && !ctxt->wellFormed) {
      xmlFreeDoc(doc);
      doc = nullptr;
    }
    xmlFreeParserCtxt(ctxt);
  }
  if (doc && xmlDocGetRootElement(doc)) {
    FDoc = doc;
    return true;
  }
  if (doc) xmlFreeDoc(doc);
  FDoc = xmlNewDoc(BAD_CAST "1.0");
  FParseError.Reason = first.Seen ? first.Message : QStringLiteral("Document is empty");
  FParseError.Line = first.Line;
  FParseError.LinePos = first.Column;
  FParseError.SrcText = SourceLine(bytes, first.Line);
  return false;
}

TXMLNode TXMLDocument::DocumentElement() const {
  return TXMLNode(FDoc ? xmlDocGetRootElement(FDoc) : nullptr);
}

void TXMLDocument::SetDocumentElement(TXMLNode node) {
  if (!FDoc || !node || node.Handle()->doc != FDoc) return;
  node.Unlink();
  xmlNodePtr old = xmlDocSetRootElement(FDoc, node.Handle());
  if (old && old != node.Handle()) xmlFreeNode(old);
}

TXMLNode TXMLDocument::CreateElement(const char* name, const QByteArray& namespaceURI) {
  if (!FDoc) return TXMLNode();
  xmlNodePtr node = xmlNewDocNode(FDoc, nullptr, BAD_CAST name, nullptr);
  if (node && !namespaceURI.isEmpty()) {
    xmlNsPtr ns = xmlNewNs(node, BAD_CAST namespaceURI.constData(), nullptr);
    xmlSetNs(node, ns);
  }
  return TXMLNode(node);
}

TXMLNode TXMLDocument::ImportNode(TXMLNode node, bool deep) {
  if (!FDoc || !node || node.Handle()->type == XML_DOCUMENT_NODE) return TXMLNode();
  return TXMLNode(xmlDocCopyNode(node.Handle(), FDoc, deep ? 1 : 2));
}

TXMLNode TXMLDocument::SelectSingleNode(const char* path) const {
  return TXMLNode(reinterpret_cast<xmlNodePtr>(FDoc)).SelectSingleNode(path);
}

std::vector<TXMLNode> TXMLDocument::SelectNodes(const char* path) const {
  return TXMLNode(reinterpret_cast<xmlNodePtr>(FDoc)).SelectNodes(path);
}

QByteArray TXMLDocument::Xml() const {
  if (!FDoc) return QByteArray();
  xmlChar* mem = nullptr;
  int size = 0;
  xmlDocDumpFormatMemoryEnc(FDoc, &mem, &size, "utf-8", 0);
  QByteArray out(reinterpret_cast<const char*>(mem), size);
  xmlFree(mem);
  return out;
}

QByteArray TXMLDocument::XmlPretty() const {
  if (!FDoc) return QByteArray();
  xmlChar* mem = nullptr;
  int size = 0;
  xmlDocDumpFormatMemoryEnc(FDoc, &mem, &size, "UTF-8", 1);
  QByteArray out(reinterpret_cast<const char*>(mem), size);
  xmlFree(mem);
  return out;
}
