#pragma once

#include <QString>
#include <memory>
#include <variant>
#include <vector>

#include "core/search/SearchAction.h"

// An owning list of search actions in insertion order. The history of
// performed searches is a flat one ("SearchHistory.xml"); the saved searches
// are a tree ("SearchFavorites.xml"), whose entries are actions and folders,
// a folder being a nested list with a caption. Both files share one format:
//
//   <SearchActionList Caption="Root">
//     <Action>...</Action>
//     <SearchActionList Caption="folder name">...</SearchActionList>
//   </SearchActionList>
//
// (the history's root has no caption and holds no folders).
class TSearchActionList {
 public:
  // The file names in the settings folder.
  static constexpr const char* kHistoryFileName = "SearchHistory.xml";
  static constexpr const char* kFavoritesFileName = "SearchFavorites.xml";
  static constexpr const char* kExampleFavoritesFileName = "ExampleSearchFavorites.xml";

  TSearchActionList() = default;
  explicit TSearchActionList(const QString& caption) : FCaption(caption) {}
  ~TSearchActionList();
  TSearchActionList(const TSearchActionList&) = delete;
  TSearchActionList& operator=(const TSearchActionList&) = delete;

  // A folder's name ("Root" for the top of the saved searches, empty for the history).
  const QString& Caption() const { return FCaption; }
  void SetCaption(const QString& caption) { FCaption = caption; }
  // The folder this one is in; none at the top.
  TSearchActionList* Parent() const { return FParent; }

  // Entries (actions and folders) of this level.
  int Count() const { return int(FEntries.size()); }
  // The action at the index; none for a folder or an index out of range.
  TSearchAction* Items(int index) const;
  // The folder at the index; none for an action or an index out of range.
  TSearchActionList* Folders(int index) const;
  bool IsFolder(int index) const { return Folders(index) != nullptr; }
  // The index of an entry of this level, -1 when it is not one.
  int IndexOf(const TSearchAction* action) const;
  int IndexOf(const TSearchActionList* folder) const;

  // Appends the action (taking it over) and returns it.
  TSearchAction* Add(std::unique_ptr<TSearchAction> action);
  // Appends a new, empty folder and returns it.
  TSearchActionList* AddFolder(const QString& caption);
  // Frees the entry (a folder with everything in it); an index out of range does nothing.
  void Remove(int index);
  // Frees every entry.
  void Clear();

  // The first action, at any depth in tree order, with the fingerprint; none when there is none.
  TSearchAction* FindFingerprint(const QString& fingerprint) const;
  // A search that has just been run enters the history: an entry of this
  // level with the same fingerprint registers another call and keeps its
  // place; otherwise a copy is appended. Returns the entry.
  TSearchAction* AddToHistory(const TSearchAction& action);

  // Appends the actions of the file's top level (a history); folders are
  // skipped. A missing, unreadable or not well-formed file, or one whose root
  // is not a SearchActionList, adds nothing and returns false.
  bool LoadFromFile(const QString& path);
  // The same, with folders (the saved searches). A folder without a caption
  // gets the text of "FAVORITE_DIRS".
  bool LoadTreeFromFile(const QString& path);
  // Writes every entry, folders included, indented UTF-8 with a byte-order
  // mark, atomically. The root carries this list's caption when it has one.
  bool SaveToFile(const QString& path, QString* error = nullptr) const;

  // Replaces the content with the saved searches of the settings folder:
  // "SearchFavorites.xml", or "ExampleSearchFavorites.xml" while the first
  // does not exist. The caption becomes "Root". False when nothing was read.
  bool LoadSearchFavorites(const QString& settingsFolder);
  // Writes "SearchFavorites.xml" with the root captioned "Root". An empty tree
  // is written too, so that removing the last saved search (or the examples)
  // lasts, except where there is nothing to replace or the present file cannot
  // be read: an unreadable file is left for the user to recover.
  bool SaveSearchFavorites(const QString& settingsFolder, QString* error = nullptr) const;

 private:
  using TEntry = std::variant<std::unique_ptr<TSearchAction>, std::unique_ptr<TSearchActionList>>;

  bool Load(const QString& path, bool withFolders);
  void ReadChildren(TXMLNode list, bool withFolders);
  void WriteChildren(TXMLDocument& document, TXMLNode list) const;
  bool Write(const QString& path, const QString& rootCaption, QString* error) const;

  QString FCaption;
  TSearchActionList* FParent = nullptr;
  std::vector<TEntry> FEntries;
};
