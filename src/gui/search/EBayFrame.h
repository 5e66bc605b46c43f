#pragma once

#include <QWidget>
#include <functional>
#include <memory>

#include "core/search/FrameStatus.h"

class QCheckBox;
class QComboBox;
class QPushButton;
class QTabWidget;
class QToolButton;
class EShopping;
class TItemListFrame;
class TSearchAction;
class TSimpleItem;
class TSimpleItemList;
class TSiteSelector;
class TXMLDocument;

// A search tab. The main window holds several in its tab strip; each owns its
// inputs, its listing list and its result list, turns the inputs into a search
// action, runs it in sequences of result pages, completes the listings with
// detail calls, and reports its progress in Status and through the signals.
class TEBayFrame : public QWidget {
  Q_OBJECT
 public:
  // What the tab needs of the main window; an unset service does nothing.
  struct THost {
    std::function<void(const QString& text, TEBayFrame* tab)> AddAlertMessage;
    std::function<void(const TSearchAction& action)> AddToHistory;
    std::function<void(const TSearchAction& action)> RunInNewTab;
    std::function<void(const TSimpleItem& item)> RecordViewed;
    std::function<bool(const QString& itemID)> IsListed;
    std::function<void(const QString& itemID)> AddListed;
    std::function<bool(const QString& itemID)> IsViewed;
  };

  explicit TEBayFrame(QWidget* parent = nullptr, THost host = {});
  ~TEBayFrame() override;

  TFrameStatus Status;
  THost Host;

  TSimpleItemList* Items() const { return Items_.get(); }
  TItemListFrame* ListView() const { return ListView_; }
  const TSearchAction* CurrentAction() const { return CurrentAction_.get(); }
  int SiteID() const { return SiteID_; }
  void SetSiteID(int siteID);
  int CurrentSequence() const { return CurrentSequence_; }
  bool GalleryEnabled() const { return GalleryEnabled_; }
  bool Busy() const { return Busy_; }
  // The full caption of the current search; empty before the first search.
  virtual QString CurrentActionCaption() const;

  // The main window tells the tab when it becomes visible or hidden.
  virtual void Shown() {}
  virtual void Hidden() {}

  // A new action from the search page's inputs (keyword or seller page).
  std::unique_ptr<TSearchAction> BuildSearchAction();
  // The search button: with Ctrl the action runs in a new tab, otherwise here.
  void SearchButtonClick(Qt::KeyboardModifiers modifiers);
  // Runs an action here; Alt held turns the gallery off for this search.
  void RunSearchAction(const TSearchAction& action,
                       Qt::KeyboardModifiers modifiers = Qt::NoModifier);
  void SearchKeywords(const QString& query, qint64 categoryID = 0);
  void SearchSeller(const QString& sellerID);

  void RunSequence(int n);
  virtual void RefreshSequence();
  virtual void CancelSearch();
  void ClearResults();
  // Opens a listing: selects its row and records it as viewed.
  void NavigateItem(const QString& itemID, bool newTab = false);
  // Copies what a new tab takes over from this one (site, inputs).
  virtual void CopyStateTo(TEBayFrame* other);

  // The widgets, by their component names.
  QToolButton* SiteSelectorButton;
  QTabWidget* SearchModePages;
  QWidget* SearchModeDefaultTabSheet;
  QWidget* SearchModeSellerTabSheet;
  QComboBox* STDQueryEdit;
  QCheckBox* STDSearchDescriptionCheck;
  QCheckBox* STDSearchInKatCheck;
  QComboBox* SellerEdit;
  QPushButton* SearchButton;
  QPushButton* ResetButton;
  QWidget* SequencePanel;
  QToolButton* SequenceBackButton;
  QComboBox* SequenceList;
  QToolButton* SequenceNextButton;

 Q_SIGNALS:
  void OnCaptionChange(TEBayFrame* tab, int typeCode, const QString& caption);
  void OnBusyChange(TEBayFrame* tab, bool busy);
  void OnSearchBegin(TEBayFrame* tab);
  void OnSearchEnd(TEBayFrame* tab);

 protected:
  virtual void SearchStarted();
  virtual void SearchFinished();
  virtual void ItemAdded(int index, TSimpleItem* item);
  virtual void ListCleared();
  virtual void FirstPageReceived(TXMLDocument& document);
  virtual void NextPageReceived();
  virtual void SearchError(const EShopping& error);
  virtual void DetailsFinished();
  void SetBusy(bool busy);
  void SetCaption(int typeCode, const QString& caption);
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void BuildSearchPage(QWidget* column);
  void BindItems();
  void UpdateSequenceControls();
  void ChooseSequence(int n);
  void ResetSearchPage();

  std::unique_ptr<TSimpleItemList> Items_;
  TItemListFrame* ListView_ = nullptr;
  TSiteSelector* SiteSelector_ = nullptr;
  std::unique_ptr<TSearchAction> CurrentAction_;
  int SiteID_ = 77;
  int CurrentSequence_ = 1;
  bool GalleryEnabled_ = true;
  bool Busy_ = false;
  bool PagesRunning_ = false;  // search pages requested and not all answered
  bool UpdatingSequenceList_ = false;
};
