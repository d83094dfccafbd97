// Settings over QSettings, in a temporary file so that the user's own settings are untouched.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "platform/qt/QtSettings.h"

using namespace HalvrennInc;

TEST(QtSettings, ValuesSurviveANewObjectAndMissingDiffersFromEmpty)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString sFile = dir.filePath(QStringLiteral("settings.ini"));
    {
        QtSettings settings(sFile);
        EXPECT_FALSE(settings.readString("Number Trials").has_value());
        EXPECT_TRUE(settings.writeString("Number Trials", "1000"));
        EXPECT_TRUE(settings.writeString("Confidence Level For Change", ""));
        EXPECT_TRUE(settings.writeInteger("Sample With Replacment", 1));
        EXPECT_TRUE(settings.writeBoolean("Display Tabs Bottom", false));
        EXPECT_TRUE(settings.writeString("1", "/home/user/caf\xe9 data.ovs"));
        EXPECT_TRUE(settings.writeString("2", "x"));
        EXPECT_TRUE(settings.deleteValue("2"));
    }
    EXPECT_TRUE(QFile::exists(sFile));

    QtSettings settings(sFile);
    EXPECT_EQ(settings.readString("Number Trials"), "1000");
    ASSERT_TRUE(settings.readString("Confidence Level For Change").has_value());
    EXPECT_EQ(*settings.readString("Confidence Level For Change"), "");
    EXPECT_EQ(settings.readInteger("Sample With Replacment"), 1);
    EXPECT_EQ(settings.readBoolean("Display Tabs Bottom"), false);
    EXPECT_EQ(settings.readString("1"), "/home/user/caf\xe9 data.ovs");  // 8-bit text kept byte for byte
    EXPECT_FALSE(settings.readString("2").has_value());
    EXPECT_FALSE(settings.readInteger("Number Trials  ").has_value());
}

TEST(QtSettings, BadValuesReadAsMissingAndAnUnwritableStoreIsReported)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString sFile = dir.filePath(QStringLiteral("settings.ini"));
    QFile file(sFile);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("[General]\nDisplay%20Tabs%20Bottom=perhaps\nSample%20With%20Replacment=12x\n");
    file.close();

    QtSettings settings(sFile);
    EXPECT_FALSE(settings.readBoolean("Display Tabs Bottom").has_value());
    EXPECT_FALSE(settings.readInteger("Sample With Replacment").has_value());
    EXPECT_EQ(settings.readString("Sample With Replacment"), "12x");

    QtSettings blocked(QDir(dir.path()).filePath(QStringLiteral("settings.ini/inside.ini")));
    EXPECT_FALSE(blocked.writeString("Number Trials", "1000"));
}

TEST(QtSettings, TheProgramsOwnStoreIsNamedAfterTheMakerAndTheProgram)
{
    // Only the name is looked at; nothing is read or written.
    QtSettings settings;
    EXPECT_TRUE(settings.fileName().contains(QStringLiteral("Halvrenn")));
    EXPECT_TRUE(settings.fileName().contains(QStringLiteral("Ostrel-Vane Studio")));
}
