#include "core/search/SearchActionList.h"

#include <QDir>
#include <QFileInfo>

#include "core/app/LanguageTable.h"
#include "core/shopping/MSXMLTools.h"

namespace {

bool IsListElement(TXMLNode node) {
  return node.IsElement() && node.NodeName() == QLatin1String("SearchActionList");
}

bool IsActionElement(TXMLNode node) {
  return node.IsElement() && node.NodeName() == QLatin1String("Action");
}

// Whether the file is a list file this program can read.
bool IsReadableList(const QString& path) {
  TXMLDocument document;
  return document.Load(path) && IsListElement(document.DocumentElement());
}

}  // namespace

TSearchActionList::~TSearchActionList() = default;

TSearchAction* TSearchActionList::Items(int index) const {
  if (index < 0 || index >= Count()) return nullptr;
  const auto* action = std::get_if<std::unique_ptr<TSearchAction>>(&FEntries[size_t(index)]);
  return action ? action->get() : nullptr;
}

TSearchActionList* TSearchActionList::Folders(int index) const {
  if (index < 0 || index >= Count()) return nullptr;
  const auto* folder = std::get_if<std::unique_ptr<TSearchActionList>>(&FEntries[size_t(index)]);
  return folder ? folder->get() : nullptr;
}

int TSearchActionList::IndexOf(const TSearchAction* action) const {
  for (int i = 0; i < Count(); ++i)
    if (action && Items(i) == action) return i;
  return -1;
}

int TSearchActionList::IndexOf(const TSearchActionList* folder) const {
  for (int i = 0; i < Count(); ++i)
    if (folder && Folders(i) == folder) return i;
  return -1;
}

TSearchAction* TSearchActionList::Add(std::unique_ptr<TSearchAction> action) {
  if (!action) return nullptr;
  TSearchAction* added = action.get();
  FEntries.emplace_back(std::move(action));
  return added;
}

TSearchActionList* TSearchActionList::AddFolder(const QString& caption) {
  auto folder = std::make_unique<TSearchActionList>(caption);
  folder->FParent = this;
  TSearchActionList* added = folder.get();
  FEntries.emplace_back(std::move(folder));
  return added;
}

void TSearchActionList::Remove(int index) {
  if (index < 0 || index >= Count()) return;
  FEntries.erase(FEntries.begin() + index);
}

void TSearchActionList::Clear() {
  FEntries.clear();
}

TSearchAction* TSearchActionList::FindFingerprint(const QString& fingerprint) const {
  for (int i = 0; i < Count(); ++i) {
    if (TSearchAction* action = Items(i)) {
      if (action->Fingerprint() == fingerprint) return action;
    } else if (TSearchAction* found = Folders(i)->FindFingerprint(fingerprint)) {
      return found;
    }
  }
  return nullptr;
}

TSearchAction* TSearchActionList::AddToHistory(const TSearchAction& action) {
  const QString fingerprint = action.Fingerprint();
  for (int i = 0; i < Count(); ++i) {
    TSearchAction* entry = Items(i);
    if (entry && entry->Fingerprint() == fingerprint) {
      entry->RegisterCall();
      return entry;
    }
  }
  return Add(action.Clone());
}

bool TSearchActionList::LoadFromFile(const QString& path) {
  return Load(path, false);
}

bool TSearchActionList::LoadTreeFromFile(const QString& path) {
  return Load(path, true);
}

bool TSearchActionList::Load(const QString& path, bool withFolders) {
  if (!QFileInfo::exists(path)) return false;
  TXMLDocument document;
  if (!document.Load(path)) {
    qWarning("Search list %s not read: %s (line %d)", qPrintable(path),
             qPrintable(document.ParseError().Reason), document.ParseError().Line);
    return false;
  }
  const TXMLNode root = document.DocumentElement();
  if (!IsListElement(root)) {
    qWarning("Search list %s not read: its root is not SearchActionList", qPrintable(path));
    return false;
  }
  ReadChildren(root, withFolders);
  return true;
}

void TSearchActionList::ReadChildren(TXMLNode list, bool withFolders) {
  for (TXMLNode child = list.FirstChildElement(); child; child = child.NextSiblingElement()) {
    if (IsActionElement(child)) {
      Add(std::make_unique<TSearchAction>(child));
    } else if (withFolders && IsListElement(child)) {
      const QString caption = child.HasAttribute("Caption")
                                  ? child.Attribute("Caption")
                                  : Translate(QStringLiteral("FAVORITE_DIRS"));
      AddFolder(caption)->ReadChildren(child, true);
    }
  }
}

void TSearchActionList::WriteChildren(TXMLDocument& document, TXMLNode list) const {
  for (int i = 0; i < Count(); ++i) {
    if (const TSearchAction* action = Items(i)) {
      list.AppendChild(document.ImportNode(action->Root(), true));
    } else {
      const TSearchActionList* folder = Folders(i);
      TXMLNode element = list.AppendElementNoNS("SearchActionList");
      element.SetAttribute("Caption", folder->Caption());
      folder->WriteChildren(document, element);
    }
  }
}

bool TSearchActionList::Write(const QString& path, const QString& rootCaption,
                              QString* error) const {
  std::unique_ptr<TXMLDocument> document = NewXPathDocument();
  TXMLNode root = document->CreateElement("SearchActionList");
  document->SetDocumentElement(root);
  if (!rootCaption.isEmpty()) root.SetAttribute("Caption", rootCaption);
  WriteChildren(*document, root);
  return SaveXMLPretty(*document, path, error);
}

bool TSearchActionList::SaveToFile(const QString& path, QString* error) const {
  return Write(path, FCaption, error);
}

bool TSearchActionList::LoadSearchFavorites(const QString& settingsFolder) {
  Clear();
  FCaption = QStringLiteral("Root");
  const QDir folder(settingsFolder);
  const QString path = folder.filePath(QLatin1String(kFavoritesFileName));
  if (QFileInfo::exists(path)) return LoadTreeFromFile(path);
  return LoadTreeFromFile(folder.filePath(QLatin1String(kExampleFavoritesFileName)));
}

bool TSearchActionList::SaveSearchFavorites(const QString& settingsFolder, QString* error) const {
  const QDir folder(settingsFolder);
  const QString path = folder.filePath(QLatin1String(kFavoritesFileName));
  if (FEntries.empty()) {
    const bool fileExists = QFileInfo::exists(path);
    if (fileExists && !IsReadableList(path)) return true;
    if (!fileExists &&
        !QFileInfo::exists(folder.filePath(QLatin1String(kExampleFavoritesFileName))))
      return true;
  }
  return Write(path, QStringLiteral("Root"), error);
}
