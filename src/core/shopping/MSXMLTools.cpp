#include "core/shopping/MSXMLTools.h"

#include "core/app/AtomicFile.h"

std::unique_ptr<TXMLDocument> NewXPathDocument() {
  return std::make_unique<TXMLDocument>();
}

bool SaveXMLPretty(const TXMLDocument& document, const QString& fileName, QString* error) {
  QByteArray data("\xEF\xBB\xBF");
  data.append(document.XmlPretty());
  return AtomicFile::Write(fileName, data, error);
}

QString GetNodeText(TXMLNode node, const char* path, const QString& def) {
  const TXMLNode found = node.SelectSingleNode(path);
  return found ? found.Text() : def;
}

bool GetNodeBool(TXMLNode node, const char* path, bool def) {
  const TXMLNode found = node.SelectSingleNode(path);
  if (found && found.Text().trimmed().toLower() == QLatin1String("true")) return true;
  return def;
}

int GetNodeInt(TXMLNode node, const char* path, int def) {
  const TXMLNode found = node.SelectSingleNode(path);
  if (!found) return def;
  bool ok = false;
  const int value = found.Text().trimmed().toInt(&ok, 10);
  return ok ? value : def;
}
