#include "ui/app/qt_text_pane.h"

#include <gtest/gtest.h>

#include "support/text_pane_contract.h"

namespace ordalis::test {

INSTANTIATE_TYPED_TEST_SUITE_P(Qt, TextPaneContract, ::testing::Types<ui::QtTextPane>);

}  // namespace ordalis::test
