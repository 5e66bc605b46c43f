#include "core/search/SearchAction.h"

#include <libxml/tree.h>

#include <QCryptographicHash>
#include <QtDebug>
#include <climits>
#include <vector>

#include "core/app/AppCore.h"
#include "core/app/Clock.h"
#include "core/app/LanguageTable.h"
#include "core/search/CategoryLookup.h"
#include "core/shopping/AdvancedSearchRequest.h"
#include "core/shopping/Currency.h"
#include "core/shopping/MSXMLTools.h"
#include "core/shopping/SellerSearchRequest.h"

namespace {

TSearchAction::TCountryNameLookup& CountryNames() {
  static TSearchAction::TCountryNameLookup lookup;
  return lookup;
}

QString CountryName(const QByteArray& code) {
  const TSearchAction::TCountryNameLookup& lookup = CountryNames();
  return lookup ? lookup(code) : QString();
}

bool IsTextOrCData(const xmlNode* node) {
  return node && (node->type == XML_TEXT_NODE || node->type == XML_CDATA_SECTION_NODE);
}

bool IsBlankText(const xmlNode* node) {
  for (const xmlChar* c = node->content; c && *c; ++c)
    if (*c != ' ' && *c != '\t' && *c != '\r' && *c != '\n') return false;
  return true;
}

bool HasChildElement(const xmlNode* node) {
  for (const xmlNode* child = node->children; child; child = child->next)
    if (child->type == XML_ELEMENT_NODE) return true;
  return false;
}

// A condition with a blank, a control character or a comma in it is set off
// by blanks, its own blanks doubled, so the joined list still reads as a list.
QString JoinConditions(const QStringList& conditions) {
  QStringList parts;
  parts.reserve(conditions.size());
  for (const QString& condition : conditions) {
    bool setOff = false;
    for (const QChar c : condition)
      if (c.unicode() <= 0x20 || c == QLatin1Char(',')) {
        setOff = true;
        break;
      }
    if (!setOff) {
      parts.append(condition);
      continue;
    }
    QString doubled = condition;
    doubled.replace(QLatin1Char(' '), QLatin1String("  "));
    parts.append(QLatin1Char(' ') + doubled + QLatin1Char(' '));
  }
  return parts.join(QLatin1Char(','));
}

QString Key(const char* key) {
  return Translate(QLatin1String(key));
}

QString PriceCondition(const TAdvancedSearchRequest& request) {
  QString text = Key("ILC_PRICE_CAPTION") + QLatin1Char(':');
  if (request.PriceMin > 0) {
    text += Key("FROM") + QLatin1Char(' ') + QString::number(request.PriceMin / Money::kScale);
    if (request.PriceMax > 0) text += QLatin1Char(' ');
  }
  if (request.PriceMax > 0)
    text += Key("TO") + QLatin1Char(' ') + QString::number(request.PriceMax / Money::kScale);
  text += QLatin1Char(' ') + TCurrency::CurrencySymbol(TCurrency::SiteCurrency(request.SiteID));
  return text;
}

QString ItemTypeText(TItemType type) {
  switch (type) {
    case TItemType::AuctionItemsOnly:
      return Key("SEARCH_SALE_CLASS_AUCTIONS");
    case TItemType::ExcludeStoreInventory:
      return Key("SEARCH_SALE_CLASS_SHOP_EXCLUDE");
    case TItemType::FixedPricedItem:
      return Key("SEARCH_SALE_CLASS_BIN");
    case TItemType::StoreInventoryOnly:
      return Key("SEARCH_SALE_CLASS_SHOP");
    default:
      return QString();
  }
}

QString SellerTypeText(TSellerBusinessType type) {
  switch (type) {
    case TSellerBusinessType::Commercial:
      return Key("SEARCH_SELLER_TYPE_COMMERCIAL");
    case TSellerBusinessType::Private:
      return Key("SEARCH_SELLER_TYPE_PRIVATE");
    default:
      return QString();
  }
}

// Main text and conditions of a keyword search; main holds the category path so far.
void KeywordCaption(const TAdvancedSearchRequest& request, QString& main, QStringList& conditions) {
  if (!request.QueryKeywords.isEmpty()) {
    if (main.isEmpty())
      main = request.QueryKeywords;
    else
      main = QLatin1Char('"') + request.QueryKeywords + QLatin1String("\" ") + Key("IN") +
             QLatin1Char(' ') + main;
  }
  if (request.PriceMin > 0 || request.PriceMax > 0) conditions.append(PriceCondition(request));
  if (request.Condition != TItemCondition::NotSet)
    conditions.append(Key("ITEM_STATE") + QLatin1Char(':') +
                      (request.Condition == TItemCondition::New ? Key("ITEM_STATE_NEW")
                                                                : Key("ITEM_STATE_USED")));
  if (request.ItemType != TItemType::NotSet)
    conditions.append(Key("SEARCH_SALE_CLASS") + QLatin1Char(':') + ItemTypeText(request.ItemType));
  if (request.SellerBusinessType != TSellerBusinessType::NotSet)
    conditions.append(Key("SEARCH_SELLER_TYPE") + QLatin1Char(':') +
                      SellerTypeText(request.SellerBusinessType));
  if (!request.PostalCode.isEmpty()) {
    QString range = Key("SEARCH_RANGE") + QLatin1Char('(') + Key("SEARCH_RANGE_POSTAL_CODE") +
                    QLatin1Char(':') + QString::fromUtf8(request.PostalCode);
    // A postal code without a radius names no distance rather than a made-up one.
    if (request.MaxDistance >= 0)
      range += QLatin1String(", ") + Key("RADIUS_KM") + QLatin1Char(':') +
               QString::number(request.MaxDistance);
    conditions.append(range + QLatin1Char(')'));
  }
  if (!request.ItemsAvailableTo.isEmpty())
    conditions.append(Key("SEARCH_WORLD_AVAILABLE") + QLatin1String(" \"") +
                      CountryName(request.ItemsAvailableTo) + QLatin1Char('"'));
  if (!request.ItemsLocatedIn.isEmpty())
    conditions.append(Key("SEARCH_WORLD_PLACE") + QLatin1String(" \"") +
                      CountryName(request.ItemsLocatedIn) + QLatin1Char('"'));
}

}  // namespace

TSearchAction::TSearchAction() {
  MakeEmpty();
}

TSearchAction::TSearchAction(const QString& xmlText) {
  if (!xmlText.isEmpty()) {
    auto document = NewXPathDocument();
    if (document->LoadXML(xmlText) && document->DocumentElement().IsElement() &&
        document->DocumentElement().NodeName() == QLatin1String("Action")) {
      FDocument = std::move(document);
      EnsureParts();
      return;
    }
  }
  MakeEmpty();
}

TSearchAction::TSearchAction(const TBaseSearchRequest& request) {
  MakeEmpty();
  SetRequest(request);
}

TSearchAction::TSearchAction(TXMLNode actionElement) {
  MakeEmpty();
  if (!actionElement.IsElement()) return;
  const TXMLNode copy = FDocument->ImportNode(actionElement, true);
  if (!copy) return;
  FDocument->SetDocumentElement(copy);
  EnsureParts();
}

TSearchAction::TSearchAction(const QString& typeName, const TPairs& pairs) {
  MakeEmpty();
  SetRequestType(typeName);
  SetPairs(pairs);
}

TSearchAction::~TSearchAction() = default;

void TSearchAction::MakeEmpty() {
  // Built node by node rather than parsed from text, so a version string with
  // markup characters in it cannot break the document.
  FDocument = NewXPathDocument();
  TXMLNode root = FDocument->CreateElement("Action");
  FDocument->SetDocumentElement(root);
  TXMLNode data = root.AppendElementNoNS("Data");
  data.SetAttribute("Type", QStringLiteral("Undefined"));
  data.SetAttribute("Version", AppCore().Version.VersionString);
  TXMLNode info = root.AppendElementNoNS("Info");
  const QString now = DateTimeText(QuarnClock::LocalNow());
  info.AppendElementNoNS("Created", now);
  info.AppendElementNoNS("LastCall", now);
  info.AppendElementNoNS("CallsCount", QStringLiteral("1"));
}

void TSearchAction::EnsureParts() {
  DataNode();
  InfoNode();
}

void TSearchAction::Assign(const TSearchAction& source) {
  if (&source == this) return;
  const TXMLNode copy = FDocument->ImportNode(source.Root(), true);
  if (!copy) return;
  FDocument->SetDocumentElement(copy);
}

std::unique_ptr<TSearchAction> TSearchAction::Clone() const {
  auto copy = std::make_unique<TSearchAction>();
  copy->Assign(*this);
  return copy;
}

TXMLNode TSearchAction::Root() const {
  return FDocument->DocumentElement();
}

TXMLNode TSearchAction::FindChild(const char* path) const {
  return Root().SelectSingleNode(path);
}

TXMLNode TSearchAction::DataNode() {
  if (const TXMLNode data = FindChild("./Data")) return data;
  return Root().AppendElementNoNS("Data");
}

TXMLNode TSearchAction::InfoNode() {
  if (const TXMLNode info = FindChild("./Info")) return info;
  return Root().AppendElementNoNS("Info");
}

TXMLNode TSearchAction::InfoChild(const char* name) {
  TXMLNode info = InfoNode();
  const QByteArray path = QByteArray("./") + name;
  if (const TXMLNode child = info.SelectSingleNode(path.constData())) return child;
  return info.AppendElementNoNS(name);
}

QString TSearchAction::RequestType() const {
  return FindChild("./Data").Attribute("Type");
}

void TSearchAction::SetRequestType(const QString& typeName) {
  TXMLNode data = DataNode();
  if (data.HasAttribute("Type")) data.SetAttribute("Type", typeName);
}

bool TSearchAction::IsSearchRequest() const {
  const QString type = RequestType();
  return type == QLatin1String("TAdvancedSearchRequest") ||
         type == QLatin1String("TSellerSearchRequest") ||
         type == QLatin1String("TCategorySearchRequest") ||
         type == QLatin1String("TBaseSearchRequest");
}

std::unique_ptr<TBaseSearchRequest> TSearchAction::CreateRequest() const {
  const TXMLNode data = FindChild("./Data");
  if (!data) return nullptr;
  return TBaseSearchRequest::CreateFromData(data);
}

void TSearchAction::SetRequest(const TBaseSearchRequest& request) {
  const std::unique_ptr<TXMLDocument> stored = request.SaveData();
  TXMLNode copy = FDocument->ImportNode(stored->DocumentElement(), true);
  if (!copy) return;
  copy.SetAttribute("Version", AppCore().Version.VersionString);
  TXMLNode old = DataNode();
  xmlReplaceNode(old.Handle(), copy.Handle());
  xmlFreeNode(old.Handle());
}

void TSearchAction::SetPairs(const TPairs& pairs) {
  TXMLNode data = DataNode();
  while (TXMLNode child = data.FirstChild())
    child.Free();
  for (const auto& [key, value] : pairs) {
    const QByteArray name = key.toUtf8();
    if (name.isEmpty() || xmlValidateName(reinterpret_cast<const xmlChar*>(name.constData()), 0)) {
      qWarning("Search action: \"%s\" is no element name, pair left out",
               name.left(60).constData());
      continue;
    }
    data.AppendElementNoNS(name.constData(), value);
  }
}

int TSearchAction::CallsCount() const {
  const TXMLNode count = FindChild("./Info/CallsCount");
  if (!count) return 0;
  bool ok = false;
  const int value = count.Text().trimmed().toInt(&ok);
  return ok ? value : 0;
}

void TSearchAction::SetCallsCount(int count) {
  InfoChild("CallsCount").SetText(QString::number(count));
}

QString TSearchAction::CustomCaption() const {
  return FindChild("./Info/CustomCaption").Text();
}

void TSearchAction::SetCustomCaption(const QString& caption) {
  InfoChild("CustomCaption").SetText(caption);
}

void TSearchAction::SetLastCall(const QDateTime& moment) {
  InfoChild("LastCall").SetText(DateTimeText(moment));
}

void TSearchAction::RegisterCall() {
  SetLastCall(QuarnClock::LocalNow());
  const int count = CallsCount();
  SetCallsCount(count < INT_MAX ? count + 1 : count);
}

QString TSearchAction::FingerprintText() const {
  QString text;
  const TXMLNode data = FindChild("./Data");
  if (!data) return text;
  // Depth first, parents before their children, without recursion.
  std::vector<const xmlNode*> pending;
  for (const xmlNode* child = data.Handle()->last; child; child = child->prev)
    pending.push_back(child);
  while (!pending.empty()) {
    const xmlNode* node = pending.back();
    pending.pop_back();
    if (node->type != XML_ELEMENT_NODE) continue;
    const xmlNode* first = node->children;
    const bool nested = HasChildElement(node);
    // Blank text in front of child elements is the indentation of a saved
    // file, not a value: without this, a search read back from the history
    // would no longer match the same search made in a tab.
    if (IsTextOrCData(first) && !(nested && first->type == XML_TEXT_NODE && IsBlankText(first))) {
      text += TXMLNode(const_cast<xmlNode*>(node)).NodeName() + QLatin1Char('=') +
              QString::fromUtf8(reinterpret_cast<const char*>(first->content)) + QLatin1Char(';');
    }
    if (nested)
      for (const xmlNode* child = node->last; child; child = child->prev)
        pending.push_back(child);
  }
  return text;
}

QString TSearchAction::Fingerprint() const {
  return QString::fromLatin1(
      QCryptographicHash::hash(FingerprintText().toUtf8(), QCryptographicHash::Md5).toHex());
}

QString TSearchAction::Caption() const {
  QString main;
  QStringList conditions;
  std::unique_ptr<TBaseSearchRequest> request;
  if (IsSearchRequest()) {
    try {
      request = CreateRequest();
    } catch (const EShopping& error) {
      // A damaged list entry still gets a line in the list: its custom caption.
      qWarning("Search action: %s", qPrintable(error.Message()));
    }
  }
  if (const auto* category = dynamic_cast<const TCategorySearchRequest*>(request.get()))
    if (!category->CategoryID.isEmpty())
      // The category itself first, then its parent, nothing above that.
      main = TCategoryLookup::Current()
                 .FormatPath(category->SiteID, category->CategoryID, QString(), 2, true)
                 .value_or(QString());
  if (const auto* keyword = dynamic_cast<const TAdvancedSearchRequest*>(request.get()))
    KeywordCaption(*keyword, main, conditions);
  else if (const auto* seller = dynamic_cast<const TSellerSearchRequest*>(request.get()))
    main = seller->SellerID;

  QString caption;
  if (!main.isEmpty()) {
    caption = main;
    if (!conditions.isEmpty())
      caption += QLatin1String(" [") + JoinConditions(conditions) + QLatin1Char(']');
  }
  const QString custom = CustomCaption();
  if (!custom.isEmpty())
    caption = caption.isEmpty() ? custom : custom + QLatin1Char('(') + caption + QLatin1Char(')');
  return caption;
}

int TSearchAction::SearchTypeCode() const {
  const QString type = RequestType();
  if (type == QLatin1String("TCategorySearchRequest")) return 1;
  if (type == QLatin1String("TAdvancedSearchRequest")) return 2;
  if (type == QLatin1String("TSellerSearchRequest")) return 3;
  if (type == QLatin1String("Attributes")) return 7;
  return 0;
}

QByteArray TSearchAction::Xml() const {
  return FDocument->Xml();
}

QString TSearchAction::DateTimeText(const QDateTime& moment) {
  const TFixedFormats& formats = AppCore().Formats;
  QString text = moment.date().toString(formats.ShortDateFormat);
  if (moment.time() != QTime(0, 0))
    text += QLatin1Char(' ') + moment.time().toString(formats.LongTimeFormat);
  return text;
}

void TSearchAction::SetCountryNameLookup(TCountryNameLookup lookup) {
  CountryNames() = std::move(lookup);
}
