#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>
#include <memory>

#include "core/shopping/MSXMLTools.h"
#include "core/shopping/XMLDocument.h"

namespace ShoppingTest {

inline QString FixturePath(const char* name) {
  return QStringLiteral(QUARN_SOURCE_DIR "/tests/data/shopping/") + QLatin1String(name);
}

inline QByteArray Fixture(const char* name) {
  QFile f(FixturePath(name));
  return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// A GetMultipleItems answer holding the given Item elements' inner XML.
inline QByteArray ItemsAnswer(std::initializer_list<QByteArray> items) {
  QByteArray xml =
      "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
      "<GetMultipleItemsResponse xmlns=\"urn:ebay:apis:eBLBaseComponents\">"
      "<Ack>Success</Ack>";
  for (const QByteArray& item : items)
    xml += "<Item>" + item + "</Item>";
  return xml + "</GetMultipleItemsResponse>";
}

// Keeps a parsed answer alive and hands out its Item elements.
struct TItems {
  explicit TItems(const QByteArray& xml) : Doc(std::make_unique<TXMLDocument>()) {
    Loaded = Doc->LoadXMLBytes(xml);
  }
  TXMLNode Item(int i = 0) const {
    const auto nodes = Doc->SelectNodes("//ebay:Item");
    return i < int(nodes.size()) ? nodes[size_t(i)] : TXMLNode();
  }
  std::unique_ptr<TXMLDocument> Doc;
  bool Loaded = false;
};

// A FindItemsAdvanced answer with count generated listings on the given page.
inline QByteArray SearchAnswer(int count, int page, int totalPages, int firstID = 1000) {
  QByteArray xml =
      "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n"
      "<FindItemsAdvancedResponse xmlns=\"urn:ebay:apis:eBLBaseComponents\">"
      "<Ack>Success</Ack><SearchResult><ItemArray>";
  for (int i = 0; i < count; ++i) {
    const QByteArray id = QByteArray::number(firstID + (page - 1) * count + i);
    xml += "<Item><ItemID>" + id + "</ItemID><Title>Listing " + id +
           "</Title><ListingType>Chinese</ListingType><BidCount>" + QByteArray::number(i % 7) +
           "</BidCount><ConvertedCurrentPrice currencyID=\"USD\">" + QByteArray::number(i + 1) +
           ".5</ConvertedCurrentPrice><EndTime>2009-07-23T09:26:21.000Z</EndTime>"
           "<ListingStatus>Active</ListingStatus></Item>";
  }
  xml += "</ItemArray></SearchResult><PageNumber>" + QByteArray::number(page) +
         "</PageNumber><TotalPages>" + QByteArray::number(totalPages) +
         "</TotalPages><TotalItems>" + QByteArray::number(totalPages * count) +
         "</TotalItems></FindItemsAdvancedResponse>";
  return xml;
}

}  // namespace ShoppingTest
