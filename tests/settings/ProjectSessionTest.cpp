#include "settings/ProjectSession.h"

#include "support/TemporaryFolder.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSettings>
#include <gtest/gtest.h>

namespace fw {
namespace {

class ProjectSessionTest : public ::testing::Test {
protected:
    test::TemporaryFolder folder;
    QSettings store{folder.filePath("defaults.ini"), QSettings::IniFormat};
};

TEST_F(ProjectSessionTest, PresetsRoundTripInSinglePrecisionUnderArchiveKeys)
{
    SizeObject custom;
    custom.customWidth = 1234.567;
    custom.customHeight = 600;
    custom.isCustomSize = true;
    custom.isKeepAspectRatio = true;
    SizeObject percent;
    percent.name = "half";
    percent.perWidth = 50;
    percent.perHeight = 50;
    percent.isPercentSize = true;
    ProjectSession::saveProjectSession(store, {custom, percent});

    const QList<SizeObject> loaded = ProjectSession::loadPresets(store).presets;
    ASSERT_EQ(loaded.size(), 2);
    EXPECT_EQ(loaded[0].customWidth, 1234.5670166015625);
    EXPECT_TRUE(loaded[0].isCustomSize);
    EXPECT_TRUE(loaded[0].isKeepAspectRatio);
    EXPECT_FALSE(loaded[0].isPercentSize);
    EXPECT_EQ(loaded[1].name, "half");
    EXPECT_EQ(loaded[1].perWidth, 50);

    const QJsonObject root =
        QJsonDocument::fromJson(store.value("PROJECT_SESSION").toByteArray()).object();
    EXPECT_FALSE(root.contains("dateString"));
    const QJsonObject first = root.value("arrayPresets").toArray().first().toObject();
    for (const char* key :
         {"name", "customWidth", "customHeight", "perWidth", "perHeight", "isCustomSize",
          "isPercentSize", "isKeepAspectRatio", "isKeepOriginalSize"})
        EXPECT_TRUE(first.contains(key)) << key;
    EXPECT_TRUE(first.value("isCustomSize").isBool());
}

TEST_F(ProjectSessionTest, MissingKeysAndUndecodableDataReadAsDefaultsOrNothing)
{
    store.setValue("PROJECT_SESSION", QByteArray(R"({"arrayPresets":[{"customWidth":800}]})"));
    const QList<SizeObject> sparse = ProjectSession::loadPresets(store).presets;
    ASSERT_EQ(sparse.size(), 1);
    EXPECT_EQ(sparse[0].customWidth, 800);
    EXPECT_FALSE(sparse[0].isCustomSize);
    EXPECT_TRUE(sparse[0].name.isEmpty());

    store.setValue("PROJECT_SESSION", QByteArray("\x04\x0bstreamtyped\x81\xe8\x03", 16));
    EXPECT_TRUE(ProjectSession::loadPresets(store).presets.isEmpty());
    EXPECT_TRUE(ProjectSession::loadPresets(store).unreadable);
    store.remove("PROJECT_SESSION");
    EXPECT_TRUE(ProjectSession::loadPresets(store).presets.isEmpty());
    EXPECT_FALSE(ProjectSession::loadPresets(store).unreadable);
}

} // namespace
} // namespace fw
