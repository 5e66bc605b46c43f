#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// Writes compact XML into a string. Answers are written by hand rather than
// through a DOM: a page of 200 listings is a few hundred kilobytes and the
// server must turn out thousands of them a second.
class XmlWriter {
 public:
  explicit XmlWriter(std::string& out) : out_(out) {}

  void Declaration() { out_ += "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"; }
  void OpenRoot(std::string_view name, std::string_view ns);
  void Open(std::string_view name);
  void OpenWithAttribute(std::string_view name, std::string_view attribute, std::string_view value);
  void Close(std::string_view name);
  void Element(std::string_view name, std::string_view text);
  void Element(std::string_view name, int64_t value);
  void Bool(std::string_view name, bool value) { Element(name, value ? "true" : "false"); }
  // <name currencyID="EUR">12.5</name>
  void Amount(std::string_view name, int64_t cents, std::string_view currency);
  void ElementWithAttribute(std::string_view name, std::string_view attribute,
                            std::string_view attributeValue, std::string_view text);

 private:
  std::string& out_;
};
