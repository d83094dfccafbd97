// The desktop's message boxes, file dialogs, clipboard, hourglass and printer, driven
// through their real Qt widgets on the offscreen platform.
#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QLineEdit>
#include <QMimeData>
#include <QPushButton>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

#include "ModalDialogs.h"
#include "platform/Canvas.h"
#include "platform/MemorySettings.h"
#include "platform/qt/QtClipboard.h"
#include "platform/qt/QtFileDialogs.h"
#include "platform/qt/QtPrinter.h"
#include "platform/qt/QtUserMessages.h"
#include "platform/qt/QtWaitCursor.h"

using namespace HalvrennInc;
using namespace HalvrennInc::testing;

TEST(QtUserMessages, BoxesCarryTheCaptionTextIconAndButtonsAndReportTheAnswer)
{
    QtUserMessages messages;
    AnswerNextModal<QMessageBox>([](QMessageBox& box) {
        EXPECT_EQ(box.windowTitle(), "Warning");
        EXPECT_EQ(box.text(), "Are you sure you want to clear selected cells?");
        EXPECT_EQ(box.icon(), QMessageBox::NoIcon);
        EXPECT_EQ(box.standardButtons(), QMessageBox::Ok | QMessageBox::Cancel);
        box.button(QMessageBox::Cancel)->click();
    });
    EXPECT_EQ(messages.ask("Warning", "Are you sure you want to clear selected cells?", MessageButtons::OkCancel,
                           MessageIcon::None),
              MessageAnswer::Cancel);

    AnswerNextModal<QMessageBox>([](QMessageBox& box) {
        EXPECT_EQ(box.standardButtons(), QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
        box.button(QMessageBox::No)->click();
    });
    EXPECT_EQ(messages.ask("Warning", "Do you want to save current session first?", MessageButtons::YesNoCancel,
                           MessageIcon::None),
              MessageAnswer::No);

    // Escape dismisses: No when there is no Cancel.
    AnswerNextModal<QMessageBox>([](QMessageBox& box) { QTest::keyClick(&box, Qt::Key_Escape); });
    EXPECT_EQ(messages.ask("Warning", "Go on?", MessageButtons::YesNo, MessageIcon::Question), MessageAnswer::No);

    // Double spaces and markup-like text come out exactly as given.
    AnswerNextModal<QMessageBox>([](QMessageBox& box) {
        EXPECT_EQ(box.windowTitle(), "Error");
        EXPECT_EQ(box.text(), "Sheet name cannot be blank.  Correct and try <b>again</b>.");
        EXPECT_EQ(box.textFormat(), Qt::PlainText);
        EXPECT_EQ(box.icon(), QMessageBox::Warning);
        QTest::keyClick(&box, Qt::Key_Return);
    });
    messages.show("Error", "Sheet name cannot be blank.  Correct and try <b>again</b>.", MessageIcon::Exclamation);
    EXPECT_EQ(ToQtIcon(MessageIcon::Stop), QMessageBox::Critical);

    // The offer of a recovered session: buttons of their own; Return restores, Escape
    // decides later, and each button gives its answer.
    const auto offer = [&] {
        return messages.ask("Recover Session", "Restore?", MessageButtons::RestoreDiscardLater, MessageIcon::Question);
    };
    AnswerNextModal<QMessageBox>([](QMessageBox& box) {
        QStringList psCaptions;
        for (QAbstractButton* pButton : box.buttons()) psCaptions.push_back(pButton->text());
        psCaptions.sort();
        EXPECT_EQ(psCaptions, (QStringList{"&Discard", "&Later", "&Restore"}));
        QTest::keyClick(&box, Qt::Key_Return);
    });
    EXPECT_EQ(offer(), MessageAnswer::Restore);
    AnswerNextModal<QMessageBox>([](QMessageBox& box) { QTest::keyClick(&box, Qt::Key_Escape); });
    EXPECT_EQ(offer(), MessageAnswer::Later);
    AnswerNextModal<QMessageBox>([](QMessageBox& box) {
        for (QAbstractButton* pButton : box.buttons())
            if (pButton->text() == "&Discard") pButton->click();
    });
    EXPECT_EQ(offer(), MessageAnswer::Discard);
}

TEST(QtWaitCursor, NestedUsesRestoreTheCursorInTurn)
{
    QtWaitCursorInstallation installation;
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
    {
        WaitCursorGuard outer;
        ASSERT_NE(QGuiApplication::overrideCursor(), nullptr);
        EXPECT_EQ(QGuiApplication::overrideCursor()->shape(), Qt::WaitCursor);
        {
            WaitCursorGuard inner;
            inner.release();
            EXPECT_NE(QGuiApplication::overrideCursor(), nullptr) << "the outer operation still runs";
        }
    }
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
}

TEST(QtFileDialogs, FiltersAndNamesReachTheDialogAndTheChosenFileComesBack)
{
    EXPECT_EQ(ToQtNameFilters("Tab delimited text files (*.txt)|*.txt"), "Tab delimited text files (*.txt)");
    EXPECT_EQ(ToQtNameFilters("Texts (*.txt)|*.txt|Comma separated (*.csv)|*.csv"),
              "Texts (*.txt);;Comma separated (*.csv)");
    EXPECT_EQ(ToQtNameFilters("Data files|*.txt;*.csv"), "Data files (*.txt *.csv)");
    EXPECT_EQ(ToQtNameFilters(""), "");

    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    const QString sExisting = folder.filePath("data é.txt");
    {
        QFile file(sExisting);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("1\n");
    }
    QtFileDialogs dialogs;
    AnswerNextModal<QFileDialog>([&](QFileDialog& dialog) {
        EXPECT_EQ(dialog.windowTitle(), "Import File");
        EXPECT_EQ(dialog.acceptMode(), QFileDialog::AcceptOpen);
        EXPECT_EQ(dialog.nameFilters(), QStringList{"Tab delimited text files (*.txt)"});
        EXPECT_EQ(dialog.selectedNameFilter(), "Tab delimited text files (*.txt)");
        dialog.selectFile(sExisting);
        static_cast<QDialog&>(dialog).accept();
    });
    const auto sChosen = dialogs.openFile("Import File", "*.txt", "Tab delimited text files (*.txt)|*.txt");
    ASSERT_TRUE(sChosen.has_value());
    EXPECT_EQ(*sChosen, sExisting.toUtf8().toStdString()) << "names come back as UTF-8";

    AnswerNextModal<QFileDialog>([&](QFileDialog& dialog) {
        EXPECT_EQ(dialog.acceptMode(), QFileDialog::AcceptSave);
        EXPECT_EQ(dialog.defaultSuffix(), "ovs");
        EXPECT_FALSE(dialog.testOption(QFileDialog::DontConfirmOverwrite));
        dialog.reject();
    });
    EXPECT_FALSE(dialogs.saveFile("Save File", "*.ovs", "Ostrel-Vane Studio (*.ovs)|*.ovs", "ovs", true))
        << "Cancel gives no name";

    // With the folder kept in the settings, the next dialog starts where the last one ended.
    MemorySettings settings;
    dialogs.keepLastFolder(settings);
    QTemporaryDir other;
    AnswerNextModal<QFileDialog>([&](QFileDialog& dialog) {
        dialog.selectFile(other.filePath("session.ovs"));
        static_cast<QDialog&>(dialog).accept();
    });
    ASSERT_TRUE(dialogs.saveFile("Save File", "*.ovs", "Ostrel-Vane Studio (*.ovs)|*.ovs", "ovs", true));
    EXPECT_EQ(settings.readString("Last Folder"), QFileInfo(other.path()).absoluteFilePath().toStdString());
    QString sStartFolder;
    AnswerNextModal<QFileDialog>([&](QFileDialog& dialog) {
        sStartFolder = dialog.directory().absolutePath();
        dialog.reject();
    });
    EXPECT_FALSE(dialogs.openFile("Open File", "*.ovs", "Ostrel-Vane Studio files (*.ovs)|*.ovs"));
    EXPECT_EQ(sStartFolder, QFileInfo(other.path()).absoluteFilePath());
}

TEST(QtClipboard, CellsTravelAsPlainTextAndPicturesAsSvgAndImage)
{
    QtClipboard clipboard;
    clipboard.setText("1\t2\nµ\t\xE2\x82\xAC");
    EXPECT_EQ(QGuiApplication::clipboard()->text(), QString::fromUtf8("1\t2\nµ\t€"));
    EXPECT_EQ(clipboard.text(), "1\t2\nµ\t\xE2\x82\xAC");

    clipboard.setPicture(40, 30, [](Canvas& canvas, int iWidth, int iHeight) {
        EXPECT_EQ(iWidth, 40);
        EXPECT_EQ(iHeight, 30);
        canvas.setPen(0, psClear, 0);
        canvas.setBrush(0x0000FF);
        canvas.rectangle(10, 10, 20, 20);
    });
    const QMimeData* pData = QGuiApplication::clipboard()->mimeData();
    ASSERT_NE(pData, nullptr);
    ASSERT_TRUE(pData->hasFormat(kSvgMimeType));
    EXPECT_TRUE(pData->data(kSvgMimeType).contains("<svg"));
    ASSERT_TRUE(pData->hasImage());
    const QImage image = qvariant_cast<QImage>(pData->imageData());
    ASSERT_EQ(image.size(), QSize(40, 30));
    EXPECT_EQ(image.pixelColor(15, 15), QColor(Qt::red));
    EXPECT_EQ(image.pixelColor(2, 2), QColor(Qt::white));

    // A picture as long as a capped plot becomes an image the clipboard can carry.
    const QImage large = PaintImage(32000, 8000, [](Canvas& canvas, int iWidth, int iHeight) {
        canvas.setPen(0, psClear, 0);
        canvas.setBrush(0x0000FF);
        canvas.rectangle(iWidth / 2, 0, iWidth, iHeight);
    });
    EXPECT_EQ(large.size(), QSize(kLargestClipboardImageSide, kLargestClipboardImageSide / 4));
    EXPECT_EQ(large.pixelColor(10, 10), QColor(Qt::white));
    EXPECT_EQ(large.pixelColor(kLargestClipboardImageSide - 10, 10), QColor(Qt::red));
}

TEST(QtPrinter, JobsToAPdfFileGetOnePageEachAndPagesInDevicePixels)
{
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    const QString sPdf = folder.filePath("job.pdf");
    QtPrinter printer;
    printer.printToPdf(sPdf);
    EXPECT_TRUE(printer.showPrintDialog()) << "no dialog when printing to a file";
    EXPECT_GE(printer.pixelsPerInchX(), 300);
    EXPECT_GT(printer.pageWidth(), 8 * printer.pixelsPerInchX()) << "the whole sheet of paper";
    std::vector<int> pagesPainted;
    const bool bOk = printer.print("Sheet 1", 3, [&](Canvas& canvas, int iPage, int iWidth, int iHeight) {
        pagesPainted.push_back(iPage);
        EXPECT_EQ(iWidth, printer.pageWidth());
        EXPECT_EQ(iHeight, printer.pageHeight());
        canvas.setFont("Arial", 100, false, false, 0, 0);
        canvas.textOut(600, 600, "page");
    });
    EXPECT_TRUE(bOk);
    EXPECT_EQ(pagesPainted, (std::vector<int>{0, 1, 2}));
    QFile file(sPdf);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray pdf = file.readAll();
    EXPECT_TRUE(pdf.startsWith("%PDF"));
    EXPECT_EQ(QString::fromLatin1(pdf).count(QRegularExpression("/Type\\s*/Page[^s]")), 3);

    // An empty job writes nothing.
    const QString sEmpty = folder.filePath("empty.pdf");
    printer.printToPdf(sEmpty);
    EXPECT_TRUE(printer.print("Sheet 1", 0, [](Canvas&, int, int, int) { ADD_FAILURE() << "no page to paint"; }));
    EXPECT_FALSE(QFile::exists(sEmpty));
}
