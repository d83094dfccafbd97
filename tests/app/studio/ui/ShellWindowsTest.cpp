// The splash window, the About box and the help window with its pages, contents and
// keyword search.
#include <gtest/gtest.h>

#include <set>

#include <QApplication>
#include <QLineEdit>
#include <QListWidget>
#include <QPointer>
#include <QScreen>
#include <QTabWidget>
#include <QTest>
#include <QTextBrowser>

#include "app/studio/ui/ProductBanner.h"
#include "app/studio/ui/QtHelp.h"
#include "app/studio/ui/TSplashForm.h"

using namespace HalvrennInc;

TEST(ShellWindows, SplashIsBorderlessCentredOnTopAndGoesByItself)
{
    QPointer<TSplashForm> pSplash = new TSplashForm(50);
    EXPECT_TRUE(pSplash->isVisible()) << "shown at once, before any event loop";
    EXPECT_TRUE(pSplash->windowFlags() & Qt::FramelessWindowHint);
    EXPECT_TRUE(pSplash->windowFlags() & Qt::WindowStaysOnTopHint);
    const QPoint centre = pSplash->frameGeometry().center();
    const QPoint screenCentre = QGuiApplication::primaryScreen()->availableGeometry().center();
    EXPECT_LE((centre - screenCentre).manhattanLength(), 2);
    EXPECT_EQ(TSplashForm::kLifetimeMs, 2000);
    ASSERT_TRUE(QTest::qWaitFor([&] { return pSplash.isNull(); }, 3000)) << "closed and destroyed";
}

TEST(ShellWindows, BannerShowsTheMarkTheNameAndTheChart)
{
    EXPECT_FALSE(ProductIcon().isNull());
    EXPECT_FALSE(ProductIcon().pixmap(64, 64).isNull());
    ProductBanner banner;
    banner.resize(banner.sizeHint());
    const QImage image = banner.grab().toImage();
    // The chart's two shaded segments and the mark's dark blue are painted.
    auto has = [&](QRgb colour) {
        for (int y = 0; y < image.height(); y += 2)
            for (int x = 0; x < image.width(); x += 2)
                if (image.pixel(x, y) == colour) return true;
        return false;
    };
    EXPECT_TRUE(has(qRgb(0xdb, 0xe8, 0xf6)));
    EXPECT_TRUE(has(qRgb(0xf8, 0xe0, 0xc8)));
    EXPECT_TRUE(has(qRgb(0x1f, 0x3e, 0x66)));
    EXPECT_EQ(banner.accessibleName(), "Ostrel-Vane Studio, Version 2.0");
}

TEST(ShellWindows, EveryHelpContextHasAPageWithATitle)
{
    const std::pair<int, const char*> kContexts[] = {
        {11, "menus.html#file"}, {12, "menus.html#edit"},      {13, "menus.html#analysis"}, {14, "menus.html#window"},
        {15, "menus.html#help"}, {20, "data-entry.html"},      {21, "sheets.html#rename"},  {22, "sheets.html#move"},
        {30, "results.html"},    {40, "custom-analysis.html"}, {50, "options.html"},        {60, "status.html"},
        {80, "about.html"},      {202, "support.html"},        {999, "contents.html"}};
    for (const auto& [iContext, psPage] : kContexts)
        EXPECT_EQ(HelpPageOfContext(iContext), QStringLiteral("qrc:/help/") + psPage) << iContext;
    ASSERT_EQ(HelpPages().size(), 13u);
    for (const HelpPage& page : HelpPages()) {
        EXPECT_FALSE(page.sTitle.isEmpty()) << page.sUrl.toStdString();
        EXPECT_FALSE(page.psKeywords.isEmpty()) << page.sUrl.toStdString();
    }
    // Each anchor a context names is in its page.
    QtHelp help;
    for (const auto& [iContext, psPage] : kContexts) {
        help.showContext(iContext);
        const QString sAnchor = QUrl(HelpPageOfContext(iContext)).fragment();
        if (!sAnchor.isEmpty()) {
            EXPECT_TRUE(help.window().browser()->toHtml().contains(QStringLiteral("name=\"") + sAnchor)) << psPage;
        }
        EXPECT_GT(help.window().browser()->toPlainText().size(), 100) << psPage;
    }
}

TEST(ShellWindows, HelpWindowShowsContentsAndFindsPagesByKeyword)
{
    QtHelp help;
    help.showContents();
    THelpWindowForm& window = help.window();
    EXPECT_TRUE(window.isVisible());
    EXPECT_FALSE(window.testAttribute(Qt::WA_QuitOnClose)) << "help left open does not keep the program running";
    EXPECT_EQ(window.browser()->source(), QUrl(QStringLiteral("qrc:/help/contents.html")));
    EXPECT_EQ(window.contentsList()->count(), 13);
    window.contentsList()->item(2)->setSelected(true);
    emit window.contentsList()->itemClicked(window.contentsList()->item(2));
    EXPECT_EQ(window.browser()->source(), QUrl(QStringLiteral("qrc:/help/sheets.html")));

    // Keywords that begin with the text come before those that only contain it.
    const auto matches = MatchHelpKeywords(QStringLiteral("sheet"));
    ASSERT_FALSE(matches.empty());
    EXPECT_TRUE(matches.front().first.startsWith(QStringLiteral("sheet"), Qt::CaseInsensitive));
    EXPECT_TRUE(std::any_of(matches.begin(), matches.end(),
                            [](const auto& match) { return match.first == QStringLiteral("rename sheet"); }));
    EXPECT_TRUE(MatchHelpKeywords(QStringLiteral("no such word")).empty());
    // No two entries of the keyword list read the same; a keyword of two pages names them.
    std::set<QString> entries;
    for (const auto& [sEntry, sUrl] : MatchHelpKeywords({}))
        EXPECT_TRUE(entries.insert(sEntry).second) << sEntry.toStdString();
    EXPECT_EQ(entries.count(QStringLiteral("copy (Analysis Results)")), 1u);

    // Choosing the Search tab puts the cursor in its field.
    window.tabs()->setCurrentIndex(0);
    window.show();
    QApplication::setActiveWindow(&window);
    window.tabs()->setCurrentIndex(1);
    EXPECT_TRUE(window.searchEdit()->hasFocus());

    help.showSearch();
    EXPECT_EQ(window.tabs()->currentIndex(), 1);
    EXPECT_TRUE(window.searchEdit()->text().isEmpty());
    EXPECT_EQ(window.keywordList()->count(), static_cast<int>(MatchHelpKeywords({}).size()));
    QTest::keyClicks(window.searchEdit(), QStringLiteral("bootstrap"));
    ASSERT_GT(window.keywordList()->count(), 0);
    EXPECT_EQ(window.keywordList()->item(0)->text(), "bootstrap");
    QTest::keyClick(window.searchEdit(), Qt::Key_Return);
    EXPECT_EQ(window.browser()->source(), QUrl(QStringLiteral("qrc:/help/options.html")));

    help.showHowToUse();
    EXPECT_EQ(window.browser()->source(), QUrl(QStringLiteral("qrc:/help/howto.html")));
}
