#include "XmlAnswer.h"

#include <libxml/parser.h>
#include <libxml/xpathInternals.h>

XmlAnswer::XmlAnswer(const std::string& text) {
  doc_ = xmlReadMemory(text.data(), static_cast<int>(text.size()), "answer.xml", nullptr,
                       XML_PARSE_NONET | XML_PARSE_NOERROR | XML_PARSE_NOWARNING);
  if (!doc_) return;
  ctx_ = xmlXPathNewContext(doc_);
  xmlXPathRegisterNs(ctx_, BAD_CAST "e", BAD_CAST "urn:ebay:apis:eBLBaseComponents");
}

XmlAnswer::~XmlAnswer() {
  if (ctx_) xmlXPathFreeContext(ctx_);
  if (doc_) xmlFreeDoc(doc_);
}

std::vector<xmlNode*> XmlAnswer::Select(const std::string& xpath) const {
  std::vector<xmlNode*> out;
  if (!ctx_) return out;
  xmlXPathObject* r = xmlXPathEvalExpression(BAD_CAST xpath.c_str(), ctx_);
  if (r && r->nodesetval) {
    for (int i = 0; i < r->nodesetval->nodeNr; ++i)
      out.push_back(r->nodesetval->nodeTab[i]);
  }
  if (r) xmlXPathFreeObject(r);
  return out;
}

std::string XmlAnswer::Text(const std::string& xpath) const {
  auto nodes = Select(xpath);
  if (nodes.empty()) return "";
  xmlChar* t = xmlNodeGetContent(nodes[0]);
  std::string s = t ? reinterpret_cast<const char*>(t) : "";
  xmlFree(t);
  return s;
}

std::vector<std::string> XmlAnswer::Texts(const std::string& xpath) const {
  std::vector<std::string> out;
  for (xmlNode* n : Select(xpath)) {
    xmlChar* t = xmlNodeGetContent(n);
    out.emplace_back(t ? reinterpret_cast<const char*>(t) : "");
    xmlFree(t);
  }
  return out;
}

int XmlAnswer::Count(const std::string& xpath) const {
  return static_cast<int>(Select(xpath).size());
}

std::vector<std::vector<std::string>> XmlAnswer::ChildNames(const std::string& xpath) const {
  std::vector<std::vector<std::string>> out;
  for (xmlNode* n : Select(xpath)) {
    std::vector<std::string> names;
    for (xmlNode* c = n->children; c; c = c->next) {
      if (c->type == XML_ELEMENT_NODE) names.emplace_back(reinterpret_cast<const char*>(c->name));
    }
    out.push_back(std::move(names));
  }
  return out;
}

std::string XmlAnswer::RootName() const {
  xmlNode* root = doc_ ? xmlDocGetRootElement(doc_) : nullptr;
  return root ? reinterpret_cast<const char*>(root->name) : "";
}
