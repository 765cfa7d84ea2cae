#include "platform/VipsImageService.h"

#include <QApplication>
#include <QLoggingCategory>
#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM",
            qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen" : qgetenv("QT_QPA_PLATFORM"));
    QApplication application(argc, argv);
    QCoreApplication::setOrganizationName("FramewrightTests");
    QCoreApplication::setApplicationName("framewright-gui-tests");
    QLoggingCategory::setFilterRules(QStringLiteral("framewright.*.debug=false"));
    fw::VipsImageService::shared();
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
