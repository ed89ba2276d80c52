// The proposed file name.
#include "einvoice/Files.h"

#include <gtest/gtest.h>

TEST(Files, ProposedNameReplacesWhatAFileNameCannotHold)
{
    using einvoice::proposedFileName;
    EXPECT_EQ(proposedFileName("2024-17"), "Rechnung_2024-17");
    EXPECT_EQ(proposedFileName("2024/17"), "Rechnung_2024_17");
    EXPECT_EQ(proposedFileName(R"(a\b:c*d?e"f<g>h|i)"), "Rechnung_a_b_c_d_e_f_g_h_i");
    EXPECT_EQ(proposedFileName(QString::fromUtf8("Müller 7\t")), QString::fromUtf8("Rechnung_Müller 7"));
    EXPECT_EQ(proposedFileName(QStringLiteral("x\ny")), "Rechnung_x_y");
}
