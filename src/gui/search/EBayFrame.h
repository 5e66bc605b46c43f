#pragma once

#include <QWidget>

#include "core/search/FrameStatus.h"

// A search tab. The main window holds several in its tab strip; each owns its
// inputs, its listing list and its result views, and reports its progress in
// Status and through the four signals below.
class TEBayFrame : public QWidget {
  Q_OBJECT
 public:
  explicit TEBayFrame(QWidget* parent = nullptr);

  TFrameStatus Status;

  bool Busy() const { return Busy_; }
  // The full caption of the current search; empty before the first search.
  virtual QString CurrentActionCaption() const { return CurrentCaption_; }

  // The main window tells the tab when it becomes visible or hidden.
  virtual void Shown() {}
  virtual void Hidden() {}

  virtual void CancelSearch();
  virtual void RefreshSequence() {}
  // Copies what a new tab takes over from this one (site, inputs, options).
  virtual void CopyStateTo(TEBayFrame* other) { Q_UNUSED(other); }

 Q_SIGNALS:
  void OnCaptionChange(TEBayFrame* tab, int typeCode, const QString& caption);
  void OnBusyChange(TEBayFrame* tab, bool busy);
  void OnSearchBegin(TEBayFrame* tab);
  void OnSearchEnd(TEBayFrame* tab);

 protected:
  // Busy on, then OnSearchBegin.
  virtual void SearchStarted();
  // Busy off, then OnSearchEnd.
  virtual void SearchFinished();
  void SetBusy(bool busy);
  void SetCaption(int typeCode, const QString& caption);

 private:
  bool Busy_ = false;
  QString CurrentCaption_;
};
