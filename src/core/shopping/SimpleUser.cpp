#include "core/shopping/SimpleUser.h"

#include "core/shopping/ItemElementReader.h"
#include "core/shopping/ShoppingEnumTypeConverter.h"

void TSimpleUser::LoadFromNode(TXMLNode user) {
  const TItemElementReader reader(user);
  if (const TXMLNode n = reader.First(TItemField::FeedbackRatingStar))
    FeedbackRatingStar = TShoppingEnumTypeConverter::FromText<TFeedbackRatingStar>(n.Text());
  if (const TXMLNode n = reader.First(TItemField::FeedbackScore)) {
    // A score that is not a number leaves the one we have.
    bool ok = false;
    const int score = n.Text().trimmed().toInt(&ok);
    if (ok) FeedbackScore = score;
  }
  if (const TXMLNode n = reader.First(TItemField::UserID)) UserID = n.Text();
  if (const TXMLNode n = reader.First(TItemField::UserAnonymized))
    UserAnonymized = n.Text().toLower() == QLatin1String("true");
}
