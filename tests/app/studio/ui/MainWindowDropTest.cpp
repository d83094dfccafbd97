// Files dropped on the main window: a drag of files is accepted, a drag of text is not; the
// dropped files are handled in order once the drop is over, a session after the save
// question; the command line imports data files the same way.
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QTemporaryDir>
#include <QUrl>

#include "MainWindowTestSupport.h"
#include "app/studio/CommandLine.h"

using namespace HalvrennInc;
using namespace HalvrennInc::testing;

namespace {
std::string Spreadsheet(const char* psName)
{
    return std::string(OVS_TEST_DATA_DIR) + "/spreadsheets/" + psName;
}

std::unique_ptr<QMimeData> FileDrag(const std::vector<std::string>& psFiles)
{
    auto pData = std::make_unique<QMimeData>();
    QList<QUrl> urls;
    for (const std::string& sFile : psFiles) urls << QUrl::fromLocalFile(QString::fromStdString(sFile));
    pData->setUrls(urls);
    return pData;
}

bool DragEnterAccepted(MainWindow& w, const QMimeData& data)
{
    QDragEnterEvent enter(QPoint(200, 200), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    enter.ignore();
    QApplication::sendEvent(&w.form(), &enter);
    return enter.isAccepted();
}

std::vector<std::string> SheetNames(Workbook& workbook)
{
    std::vector<std::string> names;
    for (std::uint32_t u = 1; u <= workbook.sheetCount(); ++u) names.emplace_back(workbook.sheet(u).name().view());
    return names;
}
}  // namespace

TEST(MainWindowDrop, DroppedFilesOpenAndImportInOrderAfterTheSaveQuestion)
{
    QTemporaryDir folder;
    MainWindow w;
    w.workbook().SetCellText(1, 1, "unsaved");
    ASSERT_TRUE(w.form().Modified());

    QMimeData text;
    text.setText(QStringLiteral("1\t2"));
    EXPECT_FALSE(DragEnterAccepted(w, text));
    const auto pFiles = FileDrag({TestSession("small.ovs"), Spreadsheet("thickness.xlsx"), folder.path().toStdString(),
                                  Spreadsheet("make-fixtures.py"), Spreadsheet("odfpy.ods")});
    ASSERT_TRUE(DragEnterAccepted(w, *pFiles));

    w.platform.messages.queueAnswer(MessageAnswer::No);
    QDropEvent drop(QPointF(200, 200), Qt::CopyAction, pFiles.get(), Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&w.form(), &drop);
    EXPECT_TRUE(drop.isAccepted());
    EXPECT_TRUE(w.platform.messages.shown().empty()) << "nothing happens while the drop is going on";
    QTRY_COMPARE(w.platform.messages.shown().size(), std::size_t{4});

    const auto& shown = w.platform.messages.shown();
    EXPECT_TRUE(shown[0].bQuestion) << "the save question comes first";
    EXPECT_NE(shown[1].sText.find("is a folder"), std::string::npos);
    EXPECT_NE(shown[2].sText.find("\"make-fixtures.py\" is not a file this program reads"), std::string::npos);
    EXPECT_NE(shown[3].sText.find("rows beyond row 10000"), std::string::npos) << "the .ods file's message";
    // The session's sheet, the workbook's two sheets after it, then the spreadsheet's.
    EXPECT_EQ(SheetNames(w.workbook()),
              (std::vector<std::string>{"Sheet 1", "Notes", "Sheet 1 2", "Process", "Repeated", "Empty"}));
    EXPECT_EQ(w.workbook().sheet(1).cellText(2, 1), "Weight");
    EXPECT_EQ(w.workbook().sheet(3).cellText(2, 2), "9.25");
    EXPECT_EQ(w.workbook().activeSheetNumber(), 4u);
    EXPECT_TRUE(w.form().Modified());
    EXPECT_EQ(w.form().CurrentFile(), TestSession("small.ovs"));

    // Cancelling the save question leaves the session and the files after it alone.
    w.platform.messages.clear();
    w.platform.messages.queueAnswer(MessageAnswer::Cancel);
    const auto pMore = FileDrag({TestSession("small.ovs"), Spreadsheet("xlwt.xls")});
    QDropEvent again(QPointF(200, 200), Qt::CopyAction, pMore.get(), Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&w.form(), &again);
    QTRY_COMPARE(w.platform.messages.shown().size(), std::size_t{1});
    QTest::qWait(50);
    EXPECT_EQ(w.platform.messages.shown().size(), 1u);
    EXPECT_EQ(w.workbook().sheetCount(), 6u);
}

TEST(MainWindowDrop, DataFilesOnTheCommandLineAreImported)
{
    MainWindow w;
    w.form().HandleCommandLine(ParseCommandLine({Spreadsheet("thickness.ods"), Spreadsheet("xlwt.xls")}));
    EXPECT_EQ(SheetNames(w.workbook()), (std::vector<std::string>{"Notes", "Sheet 1", "Readings", "Empty"}));
    EXPECT_EQ(w.workbook().sheet(2).cellText(2, 101), "10.01");
    EXPECT_EQ(w.platform.messages.texts(), (std::vector<std::string>{"2001 rows beyond row 10000 were not read."}));
    EXPECT_EQ(w.caption(), "Ostrel-Vane Studio - [untitled]");
}
