// The command-line tool writing the results of an analysis as pictures, without a display.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <QImage>
#include <cstdlib>
#include <filesystem>
#include <string>

TEST(OvsPictures, SevenResultsAreWrittenInTheChosenFormat)
{
    const auto folder = std::filesystem::temp_directory_path() / ("ovs-pictures-" + std::to_string(::getpid()));
    std::filesystem::remove_all(folder);
    const std::string sCommand = std::string("env -u DISPLAY -u QT_QPA_PLATFORM ") + OVS_BINARY + " analyze " +
                                 OVS_EXAMPLES_DIR + "/thickness.txt --select B1 --seed 9 --format json --pictures " +
                                 (folder / "png").string() + " --picture-format png >/dev/null 2>&1";
    const int iWait = std::system(sCommand.c_str());
    ASSERT_TRUE(WIFEXITED(iWait));
    ASSERT_EQ(WEXITSTATUS(iWait), 0);
    for (const char* name : {"values-plot", "values-table", "values-cusum", "variation-plot", "variation-table",
                             "variation-cusum", "assumptions"}) {
        const QImage image(QString::fromStdString((folder / "png" / (std::string(name) + ".png")).string()));
        EXPECT_FALSE(image.isNull()) << name;
        EXPECT_GT(image.width(), 200) << name;
        // White around the picture.
        EXPECT_EQ(image.pixelColor(0, 0), QColor(Qt::white)) << name;
    }

    const std::string sSvg = std::string(OVS_BINARY) + " analyze " + OVS_EXAMPLES_DIR +
                             "/thickness.txt --select B1 --seed 9 --pictures " + (folder / "svg").string() +
                             " >/dev/null 2>&1";
    ASSERT_EQ(std::system(sSvg.c_str()), 0);
    EXPECT_TRUE(std::filesystem::exists(folder / "svg" / "variation-cusum.svg"));
    EXPECT_NE(std::system((std::string(OVS_BINARY) + " analyze x.txt --picture-format gif 2>/dev/null").c_str()), 0);
    std::filesystem::remove_all(folder);
}
