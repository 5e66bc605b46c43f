#include "core/shopping/CategorySearchRequest.h"

#include "core/shopping/MSXMLTools.h"
#include "core/shopping/ShoppingEnumTypeConverter.h"

void TCategorySearchRequest::BuildRequest(std::unique_ptr<TXMLDocument>& document) {
  TBaseSearchRequest::BuildRequest(document);
  if (!CategoryID.isEmpty())
    document->DocumentElement().AppendElement("CategoryID", QString::fromUtf8(CategoryID));
}

void TCategorySearchRequest::Reset() {
  TBaseSearchRequest::Reset();
  CategoryID.clear();
  Condition = TItemCondition::NotSet;
}

std::unique_ptr<TXMLDocument> TCategorySearchRequest::SaveData() const {
  std::unique_ptr<TXMLDocument> document = TBaseSearchRequest::SaveData();
  TXMLNode root = document->DocumentElement();
  root.SetAttribute("Type", QStringLiteral("TCategorySearchRequest"));
  // Always written, also when empty: an empty category is a search in all of them.
  root.AppendElement("CategoryID", QString::fromUtf8(CategoryID));
  if (Condition != TItemCondition::NotSet)
    root.AppendElement("Condition", TShoppingEnumTypeConverter::ToText(Condition));
  return document;
}

void TCategorySearchRequest::LoadData(TXMLNode data) {
  TBaseSearchRequest::LoadData(data);
  if (const TXMLNode n = data.SelectSingleNode("./CategoryID")) CategoryID = n.Text().toUtf8();
  if (const TXMLNode n = data.SelectSingleNode("./Condition"))
    Condition = TShoppingEnumTypeConverter::FromText<TItemCondition>(n.Text());
}
