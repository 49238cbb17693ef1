#pragma once
// The tool library tree as the window shows it: a root node "LIB" and one node per tool slot,
// kept up to date from the tool table without any widget.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/tools/tool_table.h"

namespace ordalis::tools {

struct ToolTreeNode {
  std::string key;        // "Outil 1", "Outil 2" ...
  std::string text;       // the tool label
  std::int16_t type = 0;  // cutter type, for the node's image
  bool operator==(const ToolTreeNode&) const = default;
};

class ToolTree {
 public:
  static constexpr std::string_view kRootKey = "LIB";

  /// Brings the tree up to `table`: the root reads the tool count then " Outil(s)", slot i (from 1)
  /// carries the label of tool i. A table without tools (just emptied by a new run) leaves the tree
  /// as it was. Returns true when anything shown changed.
  bool update(const ToolTable& table);

  /// True until the first tool: the window then shows the library's title as the root text.
  bool empty() const { return slots_.empty(); }
  const std::string& rootText() const { return rootText_; }
  /// The slot nodes (not `slots`: Qt code, which reads that word as a keyword, shows them).
  const std::vector<ToolTreeNode>& slotNodes() const { return slots_; }

 private:
  std::string rootText_;
  std::vector<ToolTreeNode> slots_;
};

}  // namespace ordalis::tools
