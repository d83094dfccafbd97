// The desktop import says what the command line says: a refused file gets its message
// and changes nothing, cells past the grid get one box after the import, and decimal
// commas read as numbers get a note in the main window's status bar.
#include <gtest/gtest.h>

#include <QMainWindow>
#include <QStatusBar>
#include <QTemporaryDir>
#include <fstream>

#include "platform/qt/ScriptedPlatform.h"
#include "workbook/DelimitedText.h"
#include "workbook/ui/TDataWindowForm.h"

using namespace HalvrennInc;
using namespace HalvrennInc::testing;

TEST(DataWindowImport, RefusalsNotesAndCellsLeftOutAreSaid)
{
    ScriptedPlatform platform;
    QMainWindow main;
    auto* pWindow = new TDataWindowForm(platform.services);
    main.setCentralWidget(pWindow);
    main.statusBar();
    const std::string sData = std::string(OVS_TEST_DATA_DIR) + "/workbook/";

    platform.fileDialogs.queueAnswer(sData + "decimal_commas.csv");
    pWindow->ImportSheet();
    EXPECT_EQ(pWindow->workbook().activeSheet().cellText(2, 2), "9.1");
    EXPECT_EQ(main.statusBar()->currentMessage().toStdString(), std::string(kDecimalCommaNote));
    EXPECT_TRUE(platform.messages.shown().empty());

    platform.fileDialogs.queueAnswer(sData + "unclosed_quote_row_25.csv");
    pWindow->ImportSheet();
    EXPECT_EQ(platform.messages.texts(), std::vector<std::string>{"Unterminated quote in line 26."});
    EXPECT_EQ(pWindow->workbook().sheetCount(), 1u) << "no sheet for a refused file";

    QTemporaryDir folder;
    const std::string sLong = folder.filePath("long.txt").toStdString();
    {
        std::ofstream out(sLong);
        for (int iRow = 1; iRow <= 10003; ++iRow) out << iRow << "\n";
    }
    platform.messages.clear();
    platform.fileDialogs.queueAnswer(sLong);
    pWindow->ImportSheet();
    EXPECT_EQ(pWindow->workbook().sheetCount(), 2u);
    EXPECT_EQ(platform.messages.texts(), std::vector<std::string>{"3 rows beyond row 10000 were not read."});
}
