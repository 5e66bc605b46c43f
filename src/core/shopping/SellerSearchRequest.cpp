#include "core/shopping/SellerSearchRequest.h"

#include "core/shopping/MSXMLTools.h"

void TSellerSearchRequest::BuildRequest(std::unique_ptr<TXMLDocument>& document) {
  TBaseSearchRequest::BuildRequest(document);
  if (!SellerID.isEmpty()) document->DocumentElement().AppendElement("SellerID", SellerID);
}

void TSellerSearchRequest::Reset() {
  TBaseSearchRequest::Reset();
  SellerID.clear();
}

std::unique_ptr<TXMLDocument> TSellerSearchRequest::SaveData() const {
  std::unique_ptr<TXMLDocument> document = TBaseSearchRequest::SaveData();
  TXMLNode root = document->DocumentElement();
  root.SetAttribute("Type", QStringLiteral("TSellerSearchRequest"));
  root.AppendElement("SellerID", SellerID);
  return document;
}

void TSellerSearchRequest::LoadData(TXMLNode data) {
  TBaseSearchRequest::LoadData(data);
  if (const TXMLNode n = data.SelectSingleNode("./SellerID")) SellerID = n.Text();
}
