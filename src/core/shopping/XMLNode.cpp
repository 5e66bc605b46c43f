#include "core/shopping/XMLNode.h"

#include <libxml/tree.h>
#include <libxml/xpath.h>
#include <libxml/xpathInternals.h>

#include <QHash>
#include <cctype>
#include <cstring>

#include "core/shopping/MSXMLTools.h"

namespace {

// One XPath context per thread, with the "ebay" prefix bound, and the compiled
// form of every path asked for. Creating a context registers all XPath
// functions and compiling costs more than evaluating, so both are kept.
class TXPathCache {
 public:
  TXPathCache() {
    FContext = xmlXPathNewContext(nullptr);
    if (FContext) {
      xmlXPathRegisterNs(FContext, BAD_CAST "ebay", BAD_CAST kEBayNamespace);
      FContext->error = &Silence;
    }
  }
  ~TXPathCache() {
    for (xmlXPathCompExprPtr comp : std::as_const(FCompiled))
      if (comp) xmlXPathFreeCompExpr(comp);
    if (FContext) xmlXPathFreeContext(FContext);
  }
  TXPathCache(const TXPathCache&) = delete;
  TXPathCache& operator=(const TXPathCache&) = delete;

  // Evaluates path relative to node; the caller frees the result.
  xmlXPathObjectPtr Evaluate(xmlNodePtr node, const char* path) {
    if (!FContext || !node || !path) return nullptr;
    xmlXPathCompExprPtr comp = Compiled(path);
    if (!comp) return nullptr;
    FContext->doc = node->type == XML_DOCUMENT_NODE ? reinterpret_cast<xmlDocPtr>(node) : node->doc;
    FContext->node = node;
    xmlXPathObjectPtr result = xmlXPathCompiledEval(comp, FContext);
    FContext->node = nullptr;
    FContext->doc = nullptr;
    return result;
  }

 private:
  static void Silence(void*, xmlErrorPtr) {}

  xmlXPathCompExprPtr Compiled(const char* path) {
    const QByteArray key = QByteArray::fromRawData(path, int(std::strlen(path)));
    const auto it = FCompiled.constFind(key);
    if (it != FCompiled.constEnd()) return it.value();
    // A path that does not compile is remembered as such, so it is not retried.
    xmlXPathCompExprPtr comp = xmlXPathCtxtCompile(FContext, BAD_CAST path);
    FCompiled.insert(QByteArray(path), comp);
    return comp;
  }

  xmlXPathContextPtr FContext = nullptr;
  QHash<QByteArray, xmlXPathCompExprPtr> FCompiled;
};

TXPathCache& XPathCache() {
  thread_local TXPathCache cache;
  return cache;
}

bool IsElementNode(const xmlNode* n) {
  return n && n->type == XML_ELEMENT_NODE;
}

void AppendText(const xmlNode* n, QByteArray& out) {
  if (n->content) out.append(reinterpret_cast<const char*>(n->content));
}

bool IsTextLike(const xmlNode* n) {
  return n->type == XML_TEXT_NODE || n->type == XML_CDATA_SECTION_NODE;
}

// Characters XML 1.0 cannot carry, which would make the written document unreadable.
QString XmlSafe(const QString& text) {
  for (const QChar c : text) {
    const ushort u = c.unicode();
    if ((u < 0x20 && u != 0x9 && u != 0xA && u != 0xD) || u == 0xFFFE || u == 0xFFFF) {
      QString clean;
      clean.reserve(text.size());
      for (const QChar d : text) {
        const ushort v = d.unicode();
        if ((v < 0x20 && v != 0x9 && v != 0xA && v != 0xD) || v == 0xFFFE || v == 0xFFFF) continue;
        clean.append(d);
      }
      return clean;
    }
  }
  return text;
}

QString FromXmlChar(const xmlChar* s) {
  return s ? QString::fromUtf8(reinterpret_cast<const char*>(s)) : QString();
}

// Whether path is "//ebay:Name" (one name, no further steps or predicates); name
// then points at the name.
bool IsDescendantNamePath(const char* path, const char*& name) {
  if (std::strncmp(path, "//ebay:", 7) != 0) return false;
  name = path + 7;
  if (!std::isalpha(static_cast<unsigned char>(*name)) && *name != '_') return false;
  for (const char* p = name; *p; ++p) {
    const unsigned char c = static_cast<unsigned char>(*p);
    if (!std::isalnum(c) && c != '_' && c != '-' && c != '.') return false;
  }
  return true;
}

// The first element in document order named name in the API namespace. XPath
// would collect every node of the document before picking the first; a page of
// listings has thousands, and the totals sit at its end.
xmlNodePtr FirstDescendantNamed(xmlNodePtr from, const char* name) {
  xmlNodePtr top = from->type == XML_DOCUMENT_NODE ? from : reinterpret_cast<xmlNodePtr>(from->doc);
  if (!top) return nullptr;
  xmlNodePtr n = top->children;
  while (n) {
    if (n->type == XML_ELEMENT_NODE) {
      if (n->ns && n->ns->href && std::strcmp(reinterpret_cast<const char*>(n->name), name) == 0 &&
          std::strcmp(reinterpret_cast<const char*>(n->ns->href), kEBayNamespace) == 0)
        return n;
      if (n->children) {
        n = n->children;
        continue;
      }
    }
    while (n && n != top && !n->next)
      n = n->parent;
    if (!n || n == top) break;
    n = n->next;
  }
  return nullptr;
}

}  // namespace

bool TXMLNode::IsElement() const {
  return IsElementNode(FNode);
}

QString TXMLNode::NodeName() const {
  if (!FNode) return QString();
  switch (FNode->type) {
    case XML_TEXT_NODE:
      return QStringLiteral("#text");
    case XML_CDATA_SECTION_NODE:
      return QStringLiteral("#cdata-section");
    case XML_COMMENT_NODE:
      return QStringLiteral("#comment");
    case XML_DOCUMENT_NODE:
      return QStringLiteral("#document");
    default:
      break;
  }
  if (FNode->type == XML_ELEMENT_NODE && FNode->ns && FNode->ns->prefix)
    return FromXmlChar(FNode->ns->prefix) + QLatin1Char(':') + FromXmlChar(FNode->name);
  return FromXmlChar(FNode->name);
}

QString TXMLNode::LocalName() const {
  return FNode ? FromXmlChar(FNode->name) : QString();
}

const char* TXMLNode::LocalNameRaw() const {
  return FNode && FNode->name ? reinterpret_cast<const char*>(FNode->name) : "";
}

bool TXMLNode::HasLocalName(const char* name) const {
  return FNode && FNode->name && std::strcmp(reinterpret_cast<const char*>(FNode->name), name) == 0;
}

QString TXMLNode::NamespaceURI() const {
  if (!FNode || (FNode->type != XML_ELEMENT_NODE && FNode->type != XML_ATTRIBUTE_NODE) ||
      !FNode->ns)
    return QString();
  return FromXmlChar(FNode->ns->href);
}

bool TXMLNode::IsInNamespace(const char* uri) const {
  return IsElementNode(FNode) && FNode->ns && FNode->ns->href &&
         std::strcmp(reinterpret_cast<const char*>(FNode->ns->href), uri) == 0;
}

QString TXMLNode::Text() const {
  if (!FNode) return QString();
  if (IsTextLike(FNode) || FNode->type == XML_COMMENT_NODE || FNode->type == XML_PI_NODE)
    return FromXmlChar(FNode->content);
  // The common case of an element holding one text node needs no buffer.
  const xmlNode* first = FNode->children;
  if (!first) return QString();
  if (!first->next && IsTextLike(first)) return FromXmlChar(first->content);
  QByteArray out;
  // Walks the subtree without recursion; built documents have no depth limit.
  const xmlNode* n = first;
  while (n && n != FNode) {
    if (IsTextLike(n)) AppendText(n, out);
    if (n->children && n->type != XML_ENTITY_REF_NODE && n->type != XML_ATTRIBUTE_NODE) {
      n = n->children;
      continue;
    }
    while (n && n != FNode && !n->next)
      n = n->parent;
    if (n && n != FNode) n = n->next;
  }
  return QString::fromUtf8(out);
}

void TXMLNode::SetText(const QString& text) {
  if (!FNode) return;
  const QByteArray utf8 = XmlSafe(text).toUtf8();
  if (IsTextLike(FNode)) {
    xmlNodeSetContentLen(FNode, BAD_CAST utf8.constData(), utf8.size());
    return;
  }
  xmlNodePtr child = FNode->children;
  while (child) {
    xmlNodePtr next = child->next;
    xmlUnlinkNode(child);
    xmlFreeNode(child);
    child = next;
  }
  if (!utf8.isEmpty())
    xmlAddChild(FNode, xmlNewDocTextLen(FNode->doc, BAD_CAST utf8.constData(), utf8.size()));
}

bool TXMLNode::HasAttribute(const char* name) const {
  return IsElementNode(FNode) && xmlHasNsProp(FNode, BAD_CAST name, nullptr) != nullptr;
}

QString TXMLNode::Attribute(const char* name) const {
  if (!IsElementNode(FNode)) return QString();
  xmlAttrPtr attr = xmlHasNsProp(FNode, BAD_CAST name, nullptr);
  return attr ? TXMLNode(reinterpret_cast<xmlNodePtr>(attr)).Text() : QString();
}

void TXMLNode::SetAttribute(const char* name, const QString& value) {
  if (!IsElementNode(FNode)) return;
  xmlSetProp(FNode, BAD_CAST name, BAD_CAST XmlSafe(value).toUtf8().constData());
}

TXMLNode TXMLNode::Parent() const {
  return TXMLNode(FNode ? FNode->parent : nullptr);
}

TXMLNode TXMLNode::FirstChild() const {
  return TXMLNode(FNode && FNode->type != XML_ATTRIBUTE_NODE ? FNode->children : nullptr);
}

TXMLNode TXMLNode::LastChild() const {
  return TXMLNode(FNode && FNode->type != XML_ATTRIBUTE_NODE ? FNode->last : nullptr);
}

TXMLNode TXMLNode::NextSibling() const {
  return TXMLNode(FNode ? FNode->next : nullptr);
}

bool TXMLNode::HasChildNodes() const {
  return FNode && FNode->type != XML_ATTRIBUTE_NODE && FNode->children;
}

TXMLNode TXMLNode::FirstChildElement() const {
  xmlNodePtr n = FNode && FNode->type != XML_ATTRIBUTE_NODE ? FNode->children : nullptr;
  while (n && n->type != XML_ELEMENT_NODE)
    n = n->next;
  return TXMLNode(n);
}

TXMLNode TXMLNode::LastChildElement() const {
  xmlNodePtr n = FNode && FNode->type != XML_ATTRIBUTE_NODE ? FNode->last : nullptr;
  while (n && n->type != XML_ELEMENT_NODE)
    n = n->prev;
  return TXMLNode(n);
}

TXMLNode TXMLNode::NextSiblingElement() const {
  xmlNodePtr n = FNode ? FNode->next : nullptr;
  while (n && n->type != XML_ELEMENT_NODE)
    n = n->next;
  return TXMLNode(n);
}

TXMLNode TXMLNode::AppendElement(const char* name, const QString& text) {
  if (!IsElementNode(FNode)) return TXMLNode();
  xmlNodePtr child = xmlNewDocNode(FNode->doc, FNode->ns, BAD_CAST name, nullptr);
  if (!child) return TXMLNode();
  xmlAddChild(FNode, child);
  TXMLNode result(child);
  if (!text.isEmpty()) result.SetText(text);
  return result;
}

TXMLNode TXMLNode::AppendElementNoNS(const char* name, const QString& text) {
  if (!IsElementNode(FNode)) return TXMLNode();
  xmlNodePtr child = xmlNewDocNode(FNode->doc, nullptr, BAD_CAST name, nullptr);
  if (!child) return TXMLNode();
  // Inside a default namespace the element must undeclare it, or it would be
  // read back in that namespace.
  const xmlNs* inherited = xmlSearchNs(FNode->doc, FNode, nullptr);
  if (inherited && inherited->href && *inherited->href) xmlNewNs(child, BAD_CAST "", nullptr);
  xmlAddChild(FNode, child);
  TXMLNode result(child);
  if (!text.isEmpty()) result.SetText(text);
  return result;
}

TXMLNode TXMLNode::AppendChild(TXMLNode child) {
  if (!FNode || !child.FNode || child.FNode == FNode) return TXMLNode();
  if (child.FNode->parent) xmlUnlinkNode(child.FNode);
  // xmlAddChild may merge a text node into its neighbour and free it.
  return TXMLNode(xmlAddChild(FNode, child.FNode));
}

TXMLNode TXMLNode::CloneNode(bool deep) const {
  if (!FNode || FNode->type == XML_DOCUMENT_NODE) return TXMLNode();
  return TXMLNode(xmlDocCopyNode(FNode, FNode->doc, deep ? 1 : 2));
}

void TXMLNode::Unlink() {
  if (FNode && FNode->type != XML_DOCUMENT_NODE) xmlUnlinkNode(FNode);
}

void TXMLNode::Free() {
  if (!FNode || FNode->type == XML_DOCUMENT_NODE) return;
  xmlUnlinkNode(FNode);
  xmlFreeNode(FNode);
  FNode = nullptr;
}

TXMLNode TXMLNode::SelectSingleNode(const char* path) const {
  const char* name = nullptr;
  if (FNode && path && IsDescendantNamePath(path, name))
    return TXMLNode(FirstDescendantNamed(FNode, name));
  xmlXPathObjectPtr result = XPathCache().Evaluate(FNode, path);
  if (!result) return TXMLNode();
  TXMLNode found;
  if (result->type == XPATH_NODESET && result->nodesetval) {
    const xmlNodeSetPtr set = result->nodesetval;
    for (int i = 0; i < set->nodeNr; ++i) {
      // Namespace nodes are copies that die with the result: never hand them out.
      if (set->nodeTab[i]->type != XML_NAMESPACE_DECL) {
        found = TXMLNode(set->nodeTab[i]);
        break;
      }
    }
  }
  xmlXPathFreeObject(result);
  return found;
}

std::vector<TXMLNode> TXMLNode::SelectNodes(const char* path) const {
  std::vector<TXMLNode> nodes;
  xmlXPathObjectPtr result = XPathCache().Evaluate(FNode, path);
  if (!result) return nodes;
  if (result->type == XPATH_NODESET && result->nodesetval) {
    const xmlNodeSetPtr set = result->nodesetval;
    nodes.reserve(size_t(set->nodeNr));
    for (int i = 0; i < set->nodeNr; ++i)
      if (set->nodeTab[i]->type != XML_NAMESPACE_DECL) nodes.emplace_back(set->nodeTab[i]);
  }
  xmlXPathFreeObject(result);
  return nodes;
}
