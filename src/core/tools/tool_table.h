#pragma once
// The tools of the program being converted, one record per CUTTER statement.

#include <cstdint>
#include <string>
#include <vector>

namespace ordalis::tools {

struct ToolRecord {
  std::int16_t type = 0;         // 1 ball end (corner radius = half the diameter), 2 otherwise
  std::string name;              // TOOL_NAME
  std::string remark;            // TOOL_REMARK
  float diameter = 0;            // TOOL_DIAM
  float radius = 0;              // TOOL_RADIUS
  float cornerRadius = 0;        // TOOL_RC
  float angle = 0;               // TOOL_ANGLE
  float cuttingLength = 0;       // TOOL_LG_CUT
  float length = 0;              // TOOL_LG
  float programmedLength = 0;    // TOOL_LG_PROG
  float programmedDiameter = 0;  // TOOL_DIAM_PRO
  std::int16_t number = 0;       // TOOL_NUM
};

/// The table starts with one empty record (count 0); the current record is the last one.
class ToolTable {
 public:
  ToolTable() { reset(); }
  void reset() { records_.assign(1, ToolRecord{}); }
  ToolRecord& add() { return records_.emplace_back(); }
  ToolRecord& current() { return records_.back(); }
  const ToolRecord& current() const { return records_.back(); }
  /// Number of CUTTER records (the empty first record is not counted).
  int count() const { return static_cast<int>(records_.size()) - 1; }
  const std::vector<ToolRecord>& records() const { return records_; }

 private:
  std::vector<ToolRecord> records_;
};

}  // namespace ordalis::tools
