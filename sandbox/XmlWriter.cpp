#include "XmlWriter.h"

#include "TextUtil.h"

void XmlWriter::OpenRoot(std::string_view name, std::string_view ns) {
  out_ += '<';
  out_ += name;
  out_ += " xmlns=\"";
  out_ += ns;
  out_ += "\">";
}

void XmlWriter::Open(std::string_view name) {
  out_ += '<';
  out_ += name;
  out_ += '>';
}

void XmlWriter::OpenWithAttribute(std::string_view name, std::string_view attribute,
                                  std::string_view value) {
  out_ += '<';
  out_ += name;
  out_ += ' ';
  out_ += attribute;
  out_ += "=\"";
  TextUtil::AppendXmlEscaped(out_, value);
  out_ += "\">";
}

void XmlWriter::Close(std::string_view name) {
  out_ += "</";
  out_ += name;
  out_ += '>';
}

void XmlWriter::Element(std::string_view name, std::string_view text) {
  Open(name);
  TextUtil::AppendXmlEscaped(out_, text);
  Close(name);
}

void XmlWriter::Element(std::string_view name, int64_t value) {
  Open(name);
  out_ += std::to_string(value);
  Close(name);
}

void XmlWriter::Amount(std::string_view name, int64_t cents, std::string_view currency) {
  ElementWithAttribute(name, "currencyID", currency, TextUtil::Amount(cents));
}

void XmlWriter::ElementWithAttribute(std::string_view name, std::string_view attribute,
                                     std::string_view attributeValue, std::string_view text) {
  out_ += '<';
  out_ += name;
  out_ += ' ';
  out_ += attribute;
  out_ += "=\"";
  TextUtil::AppendXmlEscaped(out_, attributeValue);
  out_ += "\">";
  TextUtil::AppendXmlEscaped(out_, text);
  Close(name);
}
