#include "core/Utils.h"

#include <QLocale>
#include <gtest/gtest.h>

namespace fw {
namespace {

TEST(UtilsByteSize, DecimalUnitsCutToTwoDecimals)
{
    const std::pair<double, const char*> cases[] = {
        {0, "0 bytes"},       {512, "512 bytes"},      {993, "993 bytes"},   {994, "0.97 KB"},
        {1000, "1.00 KB"},    {1536, "1.53 KB"},       {995000, "0.97 MB"},  {1096000, "1.09 MB"},
        {3500000, "3.50 MB"}, {2500000000, "2.50 GB"}, {7.25e12, "7.25 TB"},
    };
    for (const auto& [bytes, text] : cases)
        EXPECT_EQ(Utils::unitStringFromBytes(bytes, 0), text) << bytes;
}

TEST(UtilsByteSize, BeyondTheLargestUnitStaysInTerabytes)
{
    EXPECT_EQ(Utils::unitStringFromBytes(5e15, 0), "5000.00 TB");
}

TEST(UtilsByteSize, FiguresAndUnitsFollowTheLocale)
{
    const QLocale previous;
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    EXPECT_EQ(Utils::unitStringFromBytes(3500000, 0), "3,50 MB");
    EXPECT_EQ(Utils::unitStringFromBytes(5e15, 0), "5000,00 TB");
    EXPECT_EQ(Utils::unitStringFromBytes(287, 0), "287 Byte");
    QLocale::setDefault(QLocale(QLocale::French, QLocale::France));
    EXPECT_EQ(Utils::unitStringFromBytes(287, 0), "287 octets");
    EXPECT_EQ(Utils::unitStringFromBytes(3500000, 0), "3,50 Mo");
    QLocale::setDefault(previous);
}

} // namespace
} // namespace fw
