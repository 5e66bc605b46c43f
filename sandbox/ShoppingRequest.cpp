#include "ShoppingRequest.h"

#include <libxml/parser.h>
#include <libxml/tree.h>

#include <cstring>
#include <memory>

#include "TextUtil.h"

namespace {

const char* kNamespace = "urn:ebay:apis:eBLBaseComponents";

ShoppingError Malformed(const std::string& detail) {
  ShoppingError e;
  e.shortMessage = "Input data is invalid.";
  e.longMessage = "The request could not be parsed: " + detail;
  e.code = "1.22";
  return e;
}

bool InEbayNamespace(const xmlNode* n) {
  return n->ns && n->ns->href &&
         std::strcmp(reinterpret_cast<const char*>(n->ns->href), kNamespace) == 0;
}

}  // namespace

ShoppingError ShoppingRequest::InvalidInput(const std::string& parameter) {
  ShoppingError e;
  e.shortMessage = "Input data is invalid.";
  e.longMessage =
      "Input data for the given tag is invalid or missing. Please check API documentation.";
  e.code = "1.22";
  e.parameter = parameter;
  return e;
}

bool ShoppingRequest::Parse(std::string_view body, ShoppingError& error) {
  call_.clear();
  fields_.clear();
  if (body.empty()) {
    error = Malformed("the request body is empty.");
    return false;
  }
  // XML_PARSE_NONET: no fetching; no XML_PARSE_NOENT/DTDLOAD: entities are
  // never expanded. Depth stays within libxml2's default limit.
  std::unique_ptr<xmlDoc, decltype(&xmlFreeDoc)> doc(
      xmlReadMemory(body.data(), static_cast<int>(body.size()), "request.xml", nullptr,
                    XML_PARSE_NONET | XML_PARSE_NOERROR | XML_PARSE_NOWARNING | XML_PARSE_NOCDATA),
      &xmlFreeDoc);
  if (!doc) {
    const xmlError* e = xmlGetLastError();
    std::string reason = e && e->message ? TextUtil::Trim(e->message) : "not well-formed XML";
    error = Malformed(reason);
    return false;
  }
  if (doc->intSubset || doc->extSubset) {
    error = Malformed("document type declarations are not accepted.");
    return false;
  }
  xmlNode* root = xmlDocGetRootElement(doc.get());
  if (!root || !InEbayNamespace(root)) {
    error = Malformed(std::string("the root element is not in the namespace ") + kNamespace + ".");
    return false;
  }
  std::string rootName = reinterpret_cast<const char*>(root->name);
  const std::string suffix = "Request";
  if (rootName.size() <= suffix.size() ||
      rootName.compare(rootName.size() - suffix.size(), suffix.size(), suffix) != 0) {
    error = Malformed("the root element does not name a call.");
    return false;
  }
  call_ = rootName.substr(0, rootName.size() - suffix.size());
  for (xmlNode* c = root->children; c; c = c->next) {
    if (c->type != XML_ELEMENT_NODE || !InEbayNamespace(c)) continue;
    if (fields_.size() >= 500) {
      error = Malformed("too many elements.");
      return false;
    }
    Field f;
    f.name = reinterpret_cast<const char*>(c->name);
    xmlChar* text = xmlNodeGetContent(c);
    f.text = text ? reinterpret_cast<const char*>(text) : "";
    xmlFree(text);
    if (xmlChar* cur = xmlGetProp(c, reinterpret_cast<const xmlChar*>("currencyID"))) {
      f.currency = reinterpret_cast<const char*>(cur);
      xmlFree(cur);
    }
    fields_.push_back(std::move(f));
  }
  return true;
}

const std::string* ShoppingRequest::First(std::string_view name) const {
  for (const Field& f : fields_) {
    if (f.name == name) return &f.text;
  }
  return nullptr;
}

std::vector<std::string> ShoppingRequest::All(std::string_view name) const {
  std::vector<std::string> out;
  for (const Field& f : fields_) {
    if (f.name == name) out.push_back(f.text);
  }
  return out;
}

std::string ShoppingRequest::CurrencyOf(std::string_view name) const {
  for (const Field& f : fields_) {
    if (f.name == name) return f.currency;
  }
  return "";
}
