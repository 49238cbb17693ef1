#include "core/tools/tool_tree.h"

#include "core/tools/tool_label.h"

namespace ordalis::tools {

bool ToolTree::update(const ToolTable& table) {
  const int count = table.count();
  if (count <= 0) return false;
  std::vector<ToolTreeNode> slots;
  slots.reserve(static_cast<std::size_t>(count));
  for (int i = 1; i <= count; ++i) {
    const ToolRecord& tool = table.records()[static_cast<std::size_t>(i)];
    slots.push_back({SlotKey(i), ToolLabel(tool, i), tool.type});
  }
  std::string root = LibraryRootText(count);
  if (slots == slots_ && root == rootText_) return false;
  slots_ = std::move(slots);
  rootText_ = std::move(root);
  return true;
}

}  // namespace ordalis::tools
