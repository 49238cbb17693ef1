#include "core/texttools/line_key.h"

#include <gtest/gtest.h>

namespace ordalis::texttools {
namespace {

TEST(LineKey, NormalisesASelectedLine) {
  struct Case {
    std::string_view line, key;
  };
  const Case cases[] = {
      {"GOTO/1,2,3\r\n", "GOTO/1,2,3"},
      {"  \tGOTO/1,2,3  \r\n", "GOTO/1,2,3"},
      {"GOTO/1,\t2\r\n", "GOTO/1, 2"},
      {"PPRINT(A)\r\n", "PPRINT (A)"},
      {"PPRINT (A)", "PPRINT (A)"},
      {"(A)", "(A)"},
      {"12: GOTO/1,2,3\r\n", "GOTO/1,2,3"},
      {"12:GOTO/1:2", "GOTO/1:2"},
      {"N10 G1 X1:2", "N10 G1 X1:2"},
      {"1", "1"},
      {"", ""},
      {"\r\n", ""},
  };
  for (const Case& c : cases) EXPECT_EQ(LineKey(c.line), c.key) << c.line;
}

}  // namespace
}  // namespace ordalis::texttools
