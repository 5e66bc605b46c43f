#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "SiteTable.h"

struct CategoryNode {
  std::string id;
  std::string name;
  int parent;            // -1 at the top level
  int depth;             // 1 at the top level
  uint32_t last;         // the subtree of node i is [i, last] (nodes are in pre-order)
  std::string namePath;  // names from the top down, joined by ":"
};

// One site's category tree, kept in pre-order so that "in this category or
// below" is a range test.
class CategoryTree {
 public:
  // The small tree the sandbox carries for sites without a Categories.xml.
  static CategoryTree Builtin(Lang lang, bool motorsOnly);

  // Adds a node below parent (-1 for the top level); nodes must be added in
  // pre-order. Finish() computes ranges and paths.
  int Add(int parent, std::string id, std::string name);
  void Finish();

  const std::vector<CategoryNode>& Nodes() const { return nodes_; }
  const CategoryNode& Node(uint32_t i) const { return nodes_[i]; }
  int Find(std::string_view id) const;  // -1 when unknown
  bool IsLeaf(uint32_t i) const { return nodes_[i].last == i; }
  const std::vector<uint32_t>& Leaves() const { return leaves_; }
  uint32_t TopOf(uint32_t i) const;
  bool Contains(uint32_t ancestor, uint32_t node) const {
    return node >= ancestor && node <= nodes_[ancestor].last;
  }
  bool Empty() const { return nodes_.empty(); }

 private:
  std::vector<CategoryNode> nodes_;
  std::vector<uint32_t> leaves_;
  std::unordered_map<std::string, int> byId_;
};
