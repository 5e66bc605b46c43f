#include "CategoryTree.h"

#include "Vocabulary.h"

CategoryTree CategoryTree::Builtin(Lang lang, bool motorsOnly) {
  CategoryTree tree;
  const auto& all = Vocabulary::Categories();
  const size_t l = static_cast<size_t>(lang);
  // eBay Motors lists its own tree: the vehicle categories are its top level.
  if (motorsOnly) {
    for (const BuiltinCategory& c : all) {
      if (std::string_view(c.parentId) == "6000") tree.Add(-1, c.id, std::string(c.names[l]));
    }
  } else {
    int top = -1;
    for (const BuiltinCategory& c : all) {
      if (*c.parentId == '\0') {
        top = tree.Add(-1, c.id, std::string(c.names[l]));
      } else {
        tree.Add(top, c.id, std::string(c.names[l]));
      }
    }
  }
  tree.Finish();
  return tree;
}

int CategoryTree::Add(int parent, std::string id, std::string name) {
  CategoryNode node;
  node.id = std::move(id);
  node.name = std::move(name);
  node.parent = parent;
  node.depth = parent < 0 ? 1 : nodes_[static_cast<size_t>(parent)].depth + 1;
  node.last = static_cast<uint32_t>(nodes_.size());
  int index = static_cast<int>(nodes_.size());
  byId_.emplace(node.id, index);  // a repeated id keeps its first node
  nodes_.push_back(std::move(node));
  return index;
}

void CategoryTree::Finish() {
  leaves_.clear();
  // Children follow their parent, so walking backwards lets every node pass
  // its range on to its parent.
  for (size_t i = nodes_.size(); i-- > 0;) {
    int p = nodes_[i].parent;
    if (p >= 0 && nodes_[static_cast<size_t>(p)].last < nodes_[i].last) {
      nodes_[static_cast<size_t>(p)].last = nodes_[i].last;
    }
  }
  for (size_t i = 0; i < nodes_.size(); ++i) {
    int p = nodes_[i].parent;
    nodes_[i].namePath =
        p < 0 ? nodes_[i].name : nodes_[static_cast<size_t>(p)].namePath + ":" + nodes_[i].name;
    if (nodes_[i].last == i) leaves_.push_back(static_cast<uint32_t>(i));
  }
}

int CategoryTree::Find(std::string_view id) const {
  auto it = byId_.find(std::string(id));
  return it == byId_.end() ? -1 : it->second;
}

uint32_t CategoryTree::TopOf(uint32_t i) const {
  while (nodes_[i].parent >= 0)
    i = static_cast<uint32_t>(nodes_[i].parent);
  return i;
}
