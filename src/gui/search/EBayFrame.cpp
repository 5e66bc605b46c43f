#include "gui/search/EBayFrame.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QSplitter>
#include <QTabWidget>
#include <QToolButton>
#include <QVBoxLayout>

#include "core/app/AppCore.h"
#include "core/app/LanguageTable.h"
#include "core/net/HTTPThreadManager.h"
#include "core/search/ItemListModel.h"
#include "core/search/SearchAction.h"
#include "core/search/SearchSequences.h"
#include "core/shopping/AdvancedSearchRequest.h"
#include "core/shopping/EShopping.h"
#include "core/shopping/EShoppingEmptyResult.h"
#include "core/shopping/MultipleItemsMinimalDataRequest.h"
#include "core/shopping/ResponseText.h"
#include "core/shopping/SellerSearchRequest.h"
#include "core/shopping/SimpleItem.h"
#include "core/shopping/SimpleItemList.h"
#include "core/shopping/XMLDocument.h"
#include "gui/common/QuarnLibGui.h"
#include "gui/common/TranslateComponents.h"
#include "gui/search/ItemListFrame.h"
#include "gui/search/SiteSelector.h"

namespace {

QString Text(const char* key) {
  return TranslateOrKey(QLatin1String(key));
}

}  // namespace

TEBayFrame::TEBayFrame(QWidget* parent, THost host) : QWidget(parent), Host(std::move(host)) {
  setObjectName(QStringLiteral("EBayFrame"));
  SiteID_ = AppCore().Config.DefaultSiteID;

  auto* splitter = new QSplitter(Qt::Horizontal, this);
  auto* left = new QWidget(splitter);
  left->setObjectName(QStringLiteral("SearchPanel"));
  BuildSearchPage(left);

  auto* right = new QWidget(splitter);
  auto* rightColumn = new QVBoxLayout(right);
  rightColumn->setContentsMargins(0, 0, 0, 0);
  SequencePanel = new QWidget(right);
  SequencePanel->setObjectName(QStringLiteral("SequencePanel"));
  auto* seqRow = new QHBoxLayout(SequencePanel);
  seqRow->setContentsMargins(2, 2, 2, 2);
  SequenceBackButton = new QToolButton(SequencePanel);
  SequenceBackButton->setObjectName(QStringLiteral("SequenceBackButton"));
  SequenceBackButton->setArrowType(Qt::LeftArrow);
  SequenceBackButton->setToolTip(QStringLiteral("#SEQUENCE_BACK_HINT"));
  SequenceList = new QComboBox(SequencePanel);
  SequenceList->setObjectName(QStringLiteral("SequenceList"));
  SequenceList->setToolTip(QStringLiteral("#SEQUENCE_LIST_HINT"));
  SequenceList->setMinimumWidth(180);
  SequenceNextButton = new QToolButton(SequencePanel);
  SequenceNextButton->setObjectName(QStringLiteral("SequenceNextButton"));
  SequenceNextButton->setArrowType(Qt::RightArrow);
  SequenceNextButton->setToolTip(QStringLiteral("#SEQUENCE_NEXT_HINT"));
  seqRow->addWidget(SequenceBackButton);
  seqRow->addWidget(SequenceList);
  seqRow->addWidget(SequenceNextButton);
  seqRow->addStretch(1);
  SequencePanel->setVisible(false);
  rightColumn->addWidget(SequencePanel);
  ListView_ = new TItemListFrame(right);
  rightColumn->addWidget(ListView_, 1);
  splitter->setStretchFactor(1, 1);
  splitter->setSizes({260, 900});
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(splitter);

  connect(SequenceBackButton, &QToolButton::clicked, this,
          [this] { ChooseSequence(CurrentSequence_ - 1); });
  connect(SequenceNextButton, &QToolButton::clicked, this,
          [this] { ChooseSequence(CurrentSequence_ + 1); });
  connect(SequenceList, &QComboBox::activated, this, [this](int index) {
    if (UpdatingSequenceList_ || index + 1 == CurrentSequence_) return;
    ChooseSequence(index + 1);
    ListView_->setFocus();
  });

  Items_ = std::make_unique<TSimpleItemList>();
  BindItems();
  connect(ListView_, &TItemListFrame::OnOpenItem, this,
          [this](const QByteArray& itemID) { NavigateItem(QString::fromUtf8(itemID), false); });
  TItemListModel* model = ListView_->Model();
  model->SetSiteID(SiteID_);
  model->IsListed = [this](const QByteArray& id) {
    return Host.IsListed && Host.IsListed(QString::fromUtf8(id));
  };
  model->AddListed = [this](const QByteArray& id) {
    if (Host.AddListed) Host.AddListed(QString::fromUtf8(id));
  };
  model->IsViewed = [this](const QByteArray& id) {
    return Host.IsViewed && Host.IsViewed(QString::fromUtf8(id));
  };
  TranslateComponents(this);
}

TEBayFrame::~TEBayFrame() {
  // No answer and no list event may reach a tab that is going away; the rows
  // go before the listings they point at.
  Items_->CancelAll();
  Items_->OnCleared = nullptr;
  Items_->OnItemChanged = nullptr;
  ListView_->Clear();
  Items_.reset();
}

void TEBayFrame::BuildSearchPage(QWidget* column) {
  auto* v = new QVBoxLayout(column);
  v->setContentsMargins(4, 4, 4, 4);
  SiteSelectorButton = new QToolButton(column);
  SiteSelectorButton->setObjectName(QStringLiteral("SiteSelectorButton"));
  SiteSelectorButton->setToolTip(QStringLiteral("#SITE_SELECTOR_HINT"));
  SiteSelectorButton->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
  v->addWidget(SiteSelectorButton);
  SiteSelector_ = new TSiteSelector(SiteSelectorButton, this);
  SiteSelector_->SetSiteID(SiteID_);
  connect(SiteSelector_, &TSiteSelector::OnChange, this, [this](TSiteSelector* s) {
    SiteID_ = s->SiteID();
    if (ListView_) ListView_->Model()->SetSiteID(SiteID_);
  });

  SearchModePages = new QTabWidget(column);
  SearchModePages->setObjectName(QStringLiteral("SearchModePages"));
  SearchModeDefaultTabSheet = new QWidget;
  SearchModeDefaultTabSheet->setObjectName(QStringLiteral("SearchModeDefaultTabSheet"));
  auto* page = new QVBoxLayout(SearchModeDefaultTabSheet);
  page->addWidget(new QLabel(QStringLiteral("#SEARCH_KEYWORDS_CAPTION")));
  STDQueryEdit = new QComboBox;
  STDQueryEdit->setObjectName(QStringLiteral("STDQueryEdit"));
  STDQueryEdit->setEditable(true);
  STDQueryEdit->setInsertPolicy(QComboBox::NoInsert);
  QuarnLibGui::ApplyListFont(STDQueryEdit);
  page->addWidget(STDQueryEdit);
  STDSearchDescriptionCheck = new QCheckBox(QStringLiteral("#SEARCH_DESCRIPTION_CAPTION"));
  STDSearchDescriptionCheck->setObjectName(QStringLiteral("STDSearchDescriptionCheck"));
  STDSearchInKatCheck = new QCheckBox(QStringLiteral("#SEARCH_INKAT_CAPTION"));
  STDSearchInKatCheck->setObjectName(QStringLiteral("STDSearchInKatCheck"));
  STDSearchInKatCheck->setEnabled(false);  // needs the category tree
  page->addWidget(STDSearchDescriptionCheck);
  page->addWidget(STDSearchInKatCheck);
  page->addStretch(1);
  SearchModePages->addTab(SearchModeDefaultTabSheet, QStringLiteral("#SEARCH_MODE_DEFAULT"));

  SearchModeSellerTabSheet = new QWidget;
  SearchModeSellerTabSheet->setObjectName(QStringLiteral("SearchModeSellerTabSheet"));
  auto* sellerPage = new QVBoxLayout(SearchModeSellerTabSheet);
  sellerPage->addWidget(new QLabel(QStringLiteral("#SEARCH_SELLER_NAME_CAPTION")));
  SellerEdit = new QComboBox;
  SellerEdit->setObjectName(QStringLiteral("SellerEdit"));
  SellerEdit->setEditable(true);
  SellerEdit->setInsertPolicy(QComboBox::NoInsert);
  QuarnLibGui::ApplyListFont(SellerEdit);
  sellerPage->addWidget(SellerEdit);
  sellerPage->addStretch(1);
  SearchModePages->addTab(SearchModeSellerTabSheet, QStringLiteral("#SEARCH_MODE_SELLER"));
  v->addWidget(SearchModePages, 1);

  auto* buttons = new QHBoxLayout;
  SearchButton = new QPushButton(QStringLiteral("#SEARCH_CAPTION"));
  SearchButton->setObjectName(QStringLiteral("SearchButton"));
  SearchButton->setToolTip(QStringLiteral("#SEARCH_HINT"));
  SearchButton->setDefault(true);
  ResetButton = new QPushButton(QStringLiteral("#SEARCH_RESET_CAPTION"));
  ResetButton->setObjectName(QStringLiteral("ResetButton"));
  ResetButton->setToolTip(QStringLiteral("#SEARCH_RESET_HINT"));
  buttons->addWidget(SearchButton, 1);
  buttons->addWidget(ResetButton);
  v->addLayout(buttons);
  connect(SearchButton, &QPushButton::clicked, this,
          [this] { SearchButtonClick(QGuiApplication::queryKeyboardModifiers()); });
  connect(ResetButton, &QPushButton::clicked, this, &TEBayFrame::ResetSearchPage);
  // Enter in the query or seller field presses the search button.
  STDQueryEdit->installEventFilter(this);
  SellerEdit->installEventFilter(this);
}

bool TEBayFrame::eventFilter(QObject* watched, QEvent* event) {
  if ((watched == STDQueryEdit || watched == SellerEdit) && event->type() == QEvent::KeyPress) {
    auto* key = static_cast<QKeyEvent*>(event);
    if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
      SearchButtonClick(key->modifiers());
      return true;  // swallowed: no beep, no insertion
    }
  }
  return QWidget::eventFilter(watched, event);
}

void TEBayFrame::ResetSearchPage() {
  STDQueryEdit->setEditText(QString());
  STDSearchDescriptionCheck->setChecked(false);
  STDSearchInKatCheck->setChecked(false);
  SellerEdit->setEditText(QString());
}

void TEBayFrame::SetSiteID(int siteID) {
  SiteSelector_->SetSiteID(siteID);
  SiteID_ = siteID;
}

QString TEBayFrame::CurrentActionCaption() const {
  return CurrentAction_ ? CurrentAction_->Caption() : QString();
}

// ---- the listing list's events ----------------------------------------------

void TEBayFrame::BindItems() {
  TSimpleItemList* items = Items_.get();
  items->OnItemAdded = [this](TSimpleItemList*, int index, TSimpleItem* item) {
    ItemAdded(index, item);
  };
  items->OnCleared = [this](TSimpleItemList*) { ListCleared(); };
  items->OnItemChanged = [this](TSimpleItemList*, TItemChangeKind, TSimpleItem* item, int) {
    ListView_->Model()->ItemChanged(item->ItemID());
  };
  items->OnFirstPage = [this](TSimpleItemList*, const TResponseText&, TXMLDocument& doc) {
    FirstPageReceived(doc);
  };
  items->OnNextPage = [this](TSimpleItemList*, const TResponseText&, TXMLDocument&) {
    NextPageReceived();
  };
  items->OnError = [this](TSimpleItemList*, const EShopping& e) { SearchError(e); };
  items->OnSearchStarted = [this](TSimpleItemList*) { Status.ListProgress = 0; };
  items->OnProgress = [this](TSimpleItemList*, int percent) { Status.ListProgress = percent; };
  items->OnFinished = [this](TSimpleItemList*) {
    Status.ListProgress = -1;
    Status.StatusText = Text("STATUS_LIST_END");
    PagesRunning_ = false;
    // The search ends when its pages and their detail calls are all done,
    // whichever comes last. Pages that all failed leave no detail calls, so
    // without this the search would stay busy for ever.
    if (Busy_ && HTTPThreadManager().CountForOwner(Items_->DetailsRequest()) == 0) {
      Status.DetailsProgress = -1;
      SearchFinished();
    }
  };
  TMultipleItemsMinimalDataRequest* details = items->DetailsRequest();
  details->SiteID = AppCore().Config.DefaultSiteID;
  details->OnStarted = [this](auto*) { Status.DetailsProgress = 0; };
  details->OnProgress = [this](auto*, int percent) {
    Status.DetailsProgress = percent;
    if (Status.ListProgress == -1) Status.StatusText = Text("STATUS_ITEM_RUN");
  };
  details->OnFinished = [this](auto*) { DetailsFinished(); };
}

void TEBayFrame::SetBusy(bool busy) {
  Busy_ = busy;
  Q_EMIT OnBusyChange(this, busy);  // raised even when the value stays the same
}

void TEBayFrame::SetCaption(int typeCode, const QString& caption) {
  QString shown = caption;
  shown.replace(QLatin1Char('&'), QStringLiteral("&&"));
  Q_EMIT OnCaptionChange(this, typeCode, shown);
}

void TEBayFrame::SearchStarted() {
  SetBusy(true);
  Q_EMIT OnSearchBegin(this);
}

void TEBayFrame::SearchFinished() {
  SetBusy(false);
  Q_EMIT OnSearchEnd(this);
}

void TEBayFrame::ItemAdded(int, TSimpleItem* item) {
  ListView_->AddItem(item);
  Status.ListedCount = Items_->Count();
}

void TEBayFrame::ListCleared() {
  // The rows point at the listings that are about to go.
  ListView_->Clear();
  Status.ListedCount = 0;
}

void TEBayFrame::FirstPageReceived(TXMLDocument& document) {
  Status.TotalPages = Items_->TotalPages;
  Status.TotalItems = Items_->TotalItems;
  Status.LastPage = 1;
  Status.StatusText = Text("STATUS_LIST_RUN");
  CurrentSequence_ = 1;
  UpdateSequenceControls();
  if (CurrentAction_ && CurrentAction_->RequestType() == QLatin1String("TAdvancedSearchRequest")) {
    std::unique_ptr<TBaseSearchRequest> request;
    try {
      request = CurrentAction_->CreateRequest();
    } catch (const EShopping&) {
    }
    if (auto* adv = dynamic_cast<TAdvancedSearchRequest*>(request.get());
        adv && !adv->QueryKeywords.trimmed().isEmpty())
      QuarnLibGui::AddToComboHistory(STDQueryEdit, adv->QueryKeywords);
  }
  bool ok = false;
  const int page = document.SelectSingleNode("//ebay:PageNumber").Text().toInt(&ok);
  if (ok) Status.FirstPage = page;
}

void TEBayFrame::NextPageReceived() {
  ++Status.LastPage;
}

void TEBayFrame::SearchError(const EShopping& error) {
  // Only an empty result ends the search; other pages' errors are dropped.
  if (!dynamic_cast<const EShoppingEmptyResult*>(&error)) return;
  const QString text = Text("MSG_NO_ITEMS_FOUND");
  Status.StatusText = text;
  if (Host.AddAlertMessage) Host.AddAlertMessage(text, this);
  SearchFinished();
}

void TEBayFrame::DetailsFinished() {
  Status.DetailsProgress = -1;
  // Details of the first pages can be done while later pages still load.
  if (!PagesRunning_) SearchFinished();
  if (Status.ListProgress == -1) Status.StatusText = Text("STATUS_ITEM_END");
}

// ---- running searches ------------------------------------------------------

std::unique_ptr<TSearchAction> TEBayFrame::BuildSearchAction() {
  if (SearchModePages->currentWidget() == SearchModeSellerTabSheet) {
    TSellerSearchRequest request;
    request.SiteID = SiteID_;
    request.SellerID = SellerEdit->currentText().trimmed();
    QuarnLibGui::AddToComboHistory(SellerEdit, SellerEdit->currentText());
    return std::make_unique<TSearchAction>(request);
  }
  TAdvancedSearchRequest request;
  request.SiteID = SiteID_;
  request.QueryKeywords = STDQueryEdit->currentText().trimmed();
  request.DescriptionSearch = STDSearchDescriptionCheck->isChecked();
  return std::make_unique<TSearchAction>(request);
}

void TEBayFrame::SearchButtonClick(Qt::KeyboardModifiers modifiers) {
  std::unique_ptr<TSearchAction> action = BuildSearchAction();
  if ((modifiers & Qt::ControlModifier) && Host.RunInNewTab)
    Host.RunInNewTab(*action);
  else
    RunSearchAction(*action, modifiers);
}

void TEBayFrame::RunSearchAction(const TSearchAction& action, Qt::KeyboardModifiers modifiers) {
  CurrentAction_ = std::make_unique<TSearchAction>();
  CurrentAction_->Assign(action);
  GalleryEnabled_ = !(modifiers & Qt::AltModifier);
  ClearResults();
  Status.FirstPage = 0;
  Status.LastPage = 0;
  Status.TotalPages = 0;

  // The search page shows what runs.
  std::unique_ptr<TBaseSearchRequest> request;
  try {
    request = CurrentAction_->CreateRequest();
  } catch (const EShopping&) {
    // Damaged stored parameters: nothing to run.
  }
  if (request) {
    if (request->SiteID >= 0) SetSiteID(request->SiteID);
    if (auto* adv = dynamic_cast<TAdvancedSearchRequest*>(request.get())) {
      STDQueryEdit->setEditText(adv->QueryKeywords);
      STDSearchDescriptionCheck->setChecked(adv->DescriptionSearch);
      SearchModePages->setCurrentWidget(SearchModeDefaultTabSheet);
    } else if (auto* seller = dynamic_cast<TSellerSearchRequest*>(request.get())) {
      SellerEdit->setEditText(seller->SellerID);
      SearchModePages->setCurrentWidget(SearchModeSellerTabSheet);
    }
    for (const char* s : {"Details", "ItemSpecifics", "SearchDetails", "SellerInfo"})
      request->IncludeSelector.Add(QLatin1String(s));
    request->MaxEntries = 50;
    PagesRunning_ = true;
    Items_->StartSearch(request.release(), AppCore().Config.SequenceSize);
    Status.StatusText = Text("STATUS_LIST_INI");
    SearchStarted();
  } else {
    RunSequence(1);
  }
  SetCaption(CurrentAction_->SearchTypeCode(), CurrentAction_->Caption());
  Q_EMIT OnSearchBegin(this);
  if (Host.AddToHistory) Host.AddToHistory(*CurrentAction_);
}

void TEBayFrame::SearchKeywords(const QString& query, qint64 categoryID) {
  TAdvancedSearchRequest request;
  request.SiteID = SiteID_;
  request.QueryKeywords = query;
  if (categoryID > 0) request.CategoryID = QByteArray::number(categoryID);
  RunSearchAction(TSearchAction(request));
}

void TEBayFrame::SearchSeller(const QString& sellerID) {
  TSellerSearchRequest request;
  request.SiteID = SiteID_;
  request.SellerID = sellerID;
  RunSearchAction(TSearchAction(request));
}

void TEBayFrame::RunSequence(int n) {
  if (!CurrentAction_ || !CurrentAction_->IsSearchRequest()) return;  // attribute searches: later
  const int size = AppCore().Config.SequenceSize;
  const int first = SequenceFirstPage(n, size);
  PagesRunning_ = true;
  Items_->RequestPages(first, 0);
  Status.FirstPage = first;
  Status.LastPage = first - 1;
  Status.StatusText = Text("STATUS_LIST_RUN");
  CurrentSequence_ = n;
  SearchStarted();
  UpdateSequenceControls();
}

void TEBayFrame::ChooseSequence(int n) {
  const int count = SequencePageRanges(Status.TotalPages, AppCore().Config.SequenceSize).size();
  if (n < 1 || n > count || n == CurrentSequence_) return;
  ClearResults();
  RunSequence(n);
}

void TEBayFrame::UpdateSequenceControls() {
  const int size = AppCore().Config.SequenceSize;
  const auto ranges = SequencePageRanges(Status.TotalPages, size);
  SequencePanel->setVisible(ranges.size() > 1);
  UpdatingSequenceList_ = true;
  if (SequenceList->count() != ranges.size()) {
    SequenceList->clear();
    for (int i = 0; i < ranges.size(); ++i)
      SequenceList->addItem(TranslateFormat(QStringLiteral("SEQUENCE_LIST_ITEM"),
                                            {i + 1, ranges[i].first, ranges[i].second}));
  }
  SequenceList->setCurrentIndex(CurrentSequence_ - 1);
  UpdatingSequenceList_ = false;
  SequenceBackButton->setEnabled(CurrentSequence_ > 1);
  SequenceNextButton->setEnabled(CurrentSequence_ < ranges.size());
}

void TEBayFrame::RefreshSequence() {
  if (!CurrentAction_) return;
  ClearResults();
  Status.LastPage = (CurrentSequence_ - 1) * AppCore().Config.SequenceSize;
  RunSequence(CurrentSequence_);
}

void TEBayFrame::CancelSearch() {
  Items_->CancelAll();
  PagesRunning_ = false;
  SetBusy(false);
  Status.StatusText = Text("PROCESS_CANCELED");
  Status.ListProgress = Status.DetailsProgress = Status.ImageProgress = -1;
}

void TEBayFrame::ClearResults() {
  ListView_->Clear();
  Items_->Clear();
  CancelSearch();
  SequencePanel->setVisible(false);
  Status.ListProgress = Status.DetailsProgress = Status.ImageProgress = -1;
}

void TEBayFrame::NavigateItem(const QString& itemID, bool newTab) {
  Q_UNUSED(newTab);  // the browser panel opens the page (a later release)
  ListView_->SelectItem(itemID.toUtf8());
  if (TSimpleItem* item = Items_->FindByID(itemID.toUtf8()); item && Host.RecordViewed) {
    Host.RecordViewed(*item);
    ListView_->Model()->ItemChanged(item->ItemID());  // repaint it green
  }
}

void TEBayFrame::CopyStateTo(TEBayFrame* other) {
  if (!other) return;
  other->SetSiteID(SiteID_);
  for (int i = 0; i < STDQueryEdit->count(); ++i)
    QuarnLibGui::AddToComboHistory(other->STDQueryEdit, STDQueryEdit->itemText(i));
  for (int i = 0; i < SellerEdit->count(); ++i)
    QuarnLibGui::AddToComboHistory(other->SellerEdit, SellerEdit->itemText(i));
}
