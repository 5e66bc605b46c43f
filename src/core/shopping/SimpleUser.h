#pragma once

#include <QString>

#include "core/shopping/ShoppingEnums.h"
#include "core/shopping/XMLNode.h"

// A seller or high bidder as a listing carries it. Copying copies the four fields.
class TSimpleUser {
 public:
  TFeedbackRatingStar FeedbackRatingStar = TFeedbackRatingStar::NotSet;
  qint32 FeedbackScore = 0;
  QString UserID;  // empty when there is no user
  bool UserAnonymized = false;

  // Reads the fields present below a user element; absent ones stay as they are.
  void LoadFromNode(TXMLNode user);

  bool operator==(const TSimpleUser&) const = default;
};
