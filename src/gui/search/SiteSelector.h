#pragma once

#include <QObject>

class QMenu;
class QToolButton;

// Turns a button into a site chooser: the button shows the chosen site's flag
// and name and opens a menu of all 25 sites. One menu serves every selector.
class TSiteSelector : public QObject {
  Q_OBJECT
 public:
  explicit TSiteSelector(QToolButton* button, QObject* parent = nullptr);

  int SiteID() const { return SiteID_; }
  // No effect when unchanged; otherwise shows the site and raises OnChange.
  void SetSiteID(int siteID);
  void ShowMenu();
  void UpdateButton();

  // The process-wide menu (built on first use, captions in the current language).
  static QMenu* SiteMenu();

 Q_SIGNALS:
  void OnChange(TSiteSelector* sender);

 private:
  QToolButton* Button_;
  int SiteID_ = -1;
};
