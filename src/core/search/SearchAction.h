#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QList>
#include <QString>
#include <QStringList>
#include <functional>
#include <memory>
#include <utility>

#include "core/shopping/XMLDocument.h"

class TBaseSearchRequest;

// The stored description of one search: what kind of search, its parameters,
// when it was made and last run, how often it ran, and an optional caption of
// the user's or a script's choosing. It is held as a small XML document so that
// each kind of search keeps its parameters exactly as its request class writes
// them:
//
//   <Action>
//     <Data Type="TAdvancedSearchRequest" Version="2.230">...the request's fields...</Data>
//     <Info><Created/><LastCall/><CallsCount/><CustomCaption/></Info>
//   </Action>
//
// The history, the saved searches and every search tab keep their searches
// this way; replaying an action runs the same search again.
class TSearchAction {
 public:
  // Key and value pairs of an attribute search, written in their order.
  using TPairs = QList<std::pair<QString, QString>>;
  // The name of a country for a code of the country list; empty when unknown.
  using TCountryNameLookup = std::function<QString(const QByteArray& code)>;

  // A new, empty action: type "Undefined", made and last run now, run once.
  TSearchAction();
  // Parses the text; an empty text, a text that is not well-formed XML or one
  // whose root is not "Action" gives a new, empty action.
  explicit TSearchAction(const QString& xmlText);
  // A new action holding the request's parameters.
  explicit TSearchAction(const TBaseSearchRequest& request);
  // A copy of an "Action" element (of a list file).
  explicit TSearchAction(TXMLNode actionElement);
  // A new action of the type with the pairs as its parameters (attribute searches).
  TSearchAction(const QString& typeName, const TPairs& pairs);
  ~TSearchAction();
  TSearchAction(const TSearchAction&) = delete;
  TSearchAction& operator=(const TSearchAction&) = delete;

  // Replaces this action's content with a copy of the other's.
  void Assign(const TSearchAction& source);
  // A separate copy of this action.
  std::unique_ptr<TSearchAction> Clone() const;

  // The root element "Action".
  TXMLNode Root() const;
  // The "Data" and "Info" elements, created when missing.
  TXMLNode DataNode();
  TXMLNode InfoNode();

  // The Type attribute of Data; empty when absent.
  QString RequestType() const;
  // Changes the Type attribute; a Data element without one stays as it is.
  void SetRequestType(const QString& typeName);
  // Whether the type names one of the four search request classes.
  bool IsSearchRequest() const;

  // The search request the action describes, filled from Data; none for an
  // action of another type. The caller owns it. Raises EShopping when the
  // stored SiteID is not a number.
  std::unique_ptr<TBaseSearchRequest> CreateRequest() const;
  // Makes the request's parameters the action's Data, stamped with this version.
  void SetRequest(const TBaseSearchRequest& request);
  // Replaces Data's children by one element per pair, named by the key and
  // holding the value. A key that is not a valid element name is left out.
  void SetPairs(const TPairs& pairs);

  // The number of runs; 0 when missing or not a number.
  int CallsCount() const;
  void SetCallsCount(int count);
  QString CustomCaption() const;
  void SetCustomCaption(const QString& caption);
  void SetLastCall(const QDateTime& moment);
  // Another run now: LastCall is now and the count one higher.
  void RegisterCall();

  // 32 lower-case hex digits, equal for two actions with the same parameters
  // whatever their type, version, times, counts and captions.
  QString Fingerprint() const;
  // The text of the search's parameters that the fingerprint digests.
  QString FingerprintText() const;

  // The display text of the action in tab captions, the history and the saved searches.
  QString Caption() const;
  // The icon number: 1 category, 2 keyword, 3 seller search, 7 attribute search, 0 other.
  int SearchTypeCode() const;

  // The whole document, unindented.
  QByteArray Xml() const;
  const TXMLDocument& Document() const { return *FDocument; }

  // The date-time text of Created and LastCall: the date, and the time unless
  // the moment is exactly midnight.
  static QString DateTimeText(const QDateTime& moment);

  // The country names that captions show (the country list installs its own);
  // none gives empty names.
  static void SetCountryNameLookup(TCountryNameLookup lookup);

 private:
  void MakeEmpty();
  void EnsureParts();
  TXMLNode InfoChild(const char* name);
  TXMLNode FindChild(const char* name) const;

  std::unique_ptr<TXMLDocument> FDocument;
};
