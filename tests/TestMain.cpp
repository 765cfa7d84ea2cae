#include "platform/VipsImageService.h"

#include <QCoreApplication>
#include <QLoggingCategory>
#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    QCoreApplication application(argc, argv);
    QCoreApplication::setOrganizationName("FramewrightTests");
    QCoreApplication::setApplicationName("framewright-tests");
    QLoggingCategory::setFilterRules(QStringLiteral("framewright.*.debug=false"));
    fw::VipsImageService::shared();
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
