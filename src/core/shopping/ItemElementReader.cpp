#include "core/shopping/ItemElementReader.h"

#include "core/shopping/MSXMLTools.h"

TItemElementReader::TItemElementReader(TXMLNode element) {
  for (TXMLNode child = element.FirstChildElement(); child; child = child.NextSiblingElement())
    if (child.IsInNamespace(kEBayNamespace)) FChildren.push_back(child);
}

TXMLNode TItemElementReader::First(const char* name) const {
  for (const TXMLNode& child : FChildren)
    if (child.HasLocalName(name)) return child;
  return TXMLNode();
}

std::vector<TXMLNode> TItemElementReader::All(const char* name) const {
  std::vector<TXMLNode> found;
  for (const TXMLNode& child : FChildren)
    if (child.HasLocalName(name)) found.push_back(child);
  return found;
}

QString TItemElementReader::Text(const char* name, const QString& def) const {
  const TXMLNode node = First(name);
  return node ? node.Text() : def;
}

bool TItemElementReader::Bool(const char* name, bool def) const {
  const TXMLNode node = First(name);
  if (node && node.Text().trimmed().toLower() == QLatin1String("true")) return true;
  return def;
}
