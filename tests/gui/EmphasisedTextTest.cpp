#include "core/widgets/EmphasisedText.h"

#include <gtest/gtest.h>

namespace fw {
namespace {

TEST(EmphasisedText, FiguresAreSetOffInOrderAndNeverMatchInsideMarkupOrNames)
{
    const QString styled = EmphasisedText::styled("Completed: 10 % | Errors: 0 | <b>0</b>.jpg",
                                                  {"10", "0"}, QColor("#0000ff"));
    EXPECT_EQ(styled, "Completed: <b style=\"color:#0000ff\">10</b> % | Errors: "
                      "<b style=\"color:#0000ff\">0</b> | &lt;b&gt;0&lt;/b&gt;.jpg");
}

} // namespace
} // namespace fw
