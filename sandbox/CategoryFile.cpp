#include "CategoryFile.h"

#include <libxml/parser.h>
#include <libxml/tree.h>

#include <cstring>

#include "TextUtil.h"

namespace {

std::string Text(const xmlChar* s) {
  return s ? reinterpret_cast<const char*>(s) : "";
}

bool Named(const xmlNode* n, const char* name) {
  return n->type == XML_ELEMENT_NODE &&
         std::strcmp(reinterpret_cast<const char*>(n->name), name) == 0;
}

// A value given either as an attribute or as a child element's text.
std::string Field(xmlNode* node, const char* name) {
  if (xmlChar* a = xmlGetProp(node, reinterpret_cast<const xmlChar*>(name))) {
    std::string v = Text(a);
    xmlFree(a);
    return v;
  }
  for (xmlNode* c = node->children; c; c = c->next) {
    if (Named(c, name)) {
      xmlChar* t = xmlNodeGetContent(c);
      std::string v = TextUtil::Trim(Text(t));
      xmlFree(t);
      return v;
    }
  }
  return "";
}

void AddCategories(CategoryTree& tree, xmlNode* parentElement, int parent) {
  for (xmlNode* c = parentElement->children; c; c = c->next) {
    if (!Named(c, "Category")) continue;
    std::string id = Field(c, "ID");
    if (id.empty()) id = Field(c, "CategoryID");
    std::string name = Field(c, "Name");
    if (name.empty()) name = Field(c, "CategoryName");
    if (id.empty()) continue;
    int index = tree.Add(parent, id, name);
    AddCategories(tree, c, index);
  }
}

}  // namespace

bool CategoryFile::Load(const std::string& path, std::string& error) {
  // No network, no entity expansion; category trees are deep but not that deep.
  xmlDoc* doc =
      xmlReadFile(path.c_str(), nullptr, XML_PARSE_NONET | XML_PARSE_NOWARNING | XML_PARSE_NOERROR);
  if (!doc) {
    error = "cannot parse " + path;
    return false;
  }
  xmlNode* root = xmlDocGetRootElement(doc);
  for (xmlNode* s = root ? root->children : nullptr; s; s = s->next) {
    if (!Named(s, "Site")) continue;
    std::string idText = Field(s, "ID");
    if (idText.empty()) idText = Field(s, "SiteID");
    int64_t id = 0;
    if (!TextUtil::ParseInt(idText, id)) continue;
    auto tree = std::make_unique<CategoryTree>();
    AddCategories(*tree, s, -1);
    tree->Finish();
    if (!tree->Leaves().empty()) sites_[static_cast<int>(id)] = std::move(tree);
  }
  xmlFreeDoc(doc);
  if (sites_.empty()) {
    error = "no usable Site element in " + path;
    return false;
  }
  return true;
}

const CategoryTree* CategoryFile::Site(int siteId) const {
  auto it = sites_.find(siteId);
  return it == sites_.end() ? nullptr : it->second.get();
}
