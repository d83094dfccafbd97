// Ostrel-Vane Studio - the help window and the shell's "open".
#include "app/studio/ui/QtHelp.h"

#include <QApplication>
#include <QDesktopServices>
#include <QFile>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMainWindow>
#include <QPushButton>
#include <QRegularExpression>
#include <QSplitter>
#include <QStyle>
#include <QTabWidget>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>
#include <map>

#include "app/studio/ui/ShellResources.h"
#include "platform/WaitCursor.h"

namespace HalvrennInc {

namespace {
const QString kContentsPage = QStringLiteral("qrc:/help/contents.html");
const QString kHowToUsePage = QStringLiteral("qrc:/help/howto.html");

// The pages in the order of the contents; their titles and keywords are in the pages.
constexpr const char* kPageFiles[] = {
    "contents.html",        "data-entry.html", "sheets.html", "files.html",   "menus.html",
    "custom-analysis.html", "options.html",    "status.html", "results.html", "search.html",
    "howto.html",           "support.html",    "about.html",
};

QString PageText(const QString& sUrl)
{
    QFile file(QString(sUrl).replace(QStringLiteral("qrc:"), QStringLiteral(":")));
    if (!file.open(QIODevice::ReadOnly)) return {};
    return QString::fromUtf8(file.readAll());
}

HelpPage ReadPage(const QString& sUrl)
{
    static const QRegularExpression title(QStringLiteral("<title>(.*?)</title>"));
    static const QRegularExpression keywords(QStringLiteral("<meta name=\"keywords\" content=\"(.*?)\">"));
    const QString sText = PageText(sUrl);
    HelpPage page{sUrl, title.match(sText).captured(1), {}};
    for (const QString& sKeyword : keywords.match(sText).captured(1).split(u';', Qt::SkipEmptyParts))
        page.psKeywords << sKeyword.trimmed();
    return page;
}
}  // namespace

QString HelpPageOfContext(int iContext)
{
    static const std::map<int, const char*> kPages = {
        {11, "menus.html#file"}, {12, "menus.html#edit"},      {13, "menus.html#analysis"}, {14, "menus.html#window"},
        {15, "menus.html#help"}, {20, "data-entry.html"},      {21, "sheets.html#rename"},  {22, "sheets.html#move"},
        {30, "results.html"},    {40, "custom-analysis.html"}, {50, "options.html"},        {60, "status.html"},
        {80, "about.html"},      {202, "support.html"},
    };
    const auto it = kPages.find(iContext);
    if (it == kPages.end()) return kContentsPage;
    return QStringLiteral("qrc:/help/") + QString::fromLatin1(it->second);
}

const std::vector<HelpPage>& HelpPages()
{
    static const std::vector<HelpPage> pages = [] {
        LoadShellResources();
        std::vector<HelpPage> read;
        for (const char* psFile : kPageFiles) read.push_back(ReadPage(QStringLiteral("qrc:/help/") + psFile));
        return read;
    }();
    return pages;
}

std::vector<std::pair<QString, QString>> MatchHelpKeywords(const QString& sText)
{
    const QString sWanted = sText.trimmed();
    // A keyword of several pages is listed once for each, named by its page's title, so
    // that no two entries of the list read the same.
    std::map<QString, int> pagesOfKeyword;
    for (const HelpPage& page : HelpPages())
        for (const QString& sKeyword : page.psKeywords) ++pagesOfKeyword[sKeyword.toLower()];
    std::vector<std::pair<QString, QString>> beginning, containing;
    for (const HelpPage& page : HelpPages()) {
        for (const QString& sKeyword : page.psKeywords) {
            const QString sEntry = pagesOfKeyword[sKeyword.toLower()] > 1
                                       ? sKeyword + QStringLiteral(" (") + page.sTitle + u')'
                                       : sKeyword;
            if (sKeyword.startsWith(sWanted, Qt::CaseInsensitive)) {
                beginning.emplace_back(sEntry, page.sUrl);
            } else if (sKeyword.contains(sWanted, Qt::CaseInsensitive)) {
                containing.emplace_back(sEntry, page.sUrl);
            }
        }
    }
    auto byKeyword = [](const auto& a, const auto& b) { return a.first.compare(b.first, Qt::CaseInsensitive) < 0; };
    std::stable_sort(beginning.begin(), beginning.end(), byKeyword);
    std::stable_sort(containing.begin(), containing.end(), byKeyword);
    beginning.insert(beginning.end(), containing.begin(), containing.end());
    return beginning;
}

// ---------------------------------------------------------------------------------------

THelpWindowForm::THelpWindowForm(QWidget* pParent) : QWidget(pParent, Qt::Window)
{
    setObjectName(QStringLiteral("HelpWindow"));
    setWindowTitle(QStringLiteral("Ostrel-Vane Studio Help"));
    // Help left open does not keep the program running once the main window has closed.
    setAttribute(Qt::WA_QuitOnClose, false);

    m_pTabs = new QTabWidget;
    m_pContents = new QListWidget;
    m_pContents->setObjectName(QStringLiteral("ContentsList"));
    for (const HelpPage& page : HelpPages()) {
        auto* pItem = new QListWidgetItem(page.sTitle, m_pContents);
        pItem->setData(Qt::UserRole, page.sUrl);
    }
    m_pTabs->addTab(m_pContents, QStringLiteral("&Contents"));

    auto* pSearchPage = new QWidget;
    auto* pSearchLayout = new QVBoxLayout(pSearchPage);
    auto* pLabel = new QLabel(QStringLiteral("&Type a word to look for:"));
    m_pSearch = new QLineEdit;
    m_pSearch->setObjectName(QStringLiteral("SearchEdit"));
    pLabel->setBuddy(m_pSearch);
    m_pKeywords = new QListWidget;
    m_pKeywords->setObjectName(QStringLiteral("KeywordList"));
    pSearchLayout->addWidget(pLabel);
    pSearchLayout->addWidget(m_pSearch);
    pSearchLayout->addWidget(m_pKeywords, 1);
    m_pTabs->addTab(pSearchPage, QStringLiteral("&Search"));

    m_pBrowser = new QTextBrowser;
    m_pBrowser->setObjectName(QStringLiteral("HelpBrowser"));
    // The home page and other web addresses go to the desktop's browser.
    m_pBrowser->setOpenExternalLinks(true);
    auto* pBack = new QPushButton(QStringLiteral("&Back"));
    auto* pForward = new QPushButton(QStringLiteral("&Forward"));
    auto* pHome = new QPushButton(QStringLiteral("C&ontents"));
    pBack->setEnabled(false);
    pForward->setEnabled(false);
    connect(pBack, &QPushButton::clicked, m_pBrowser, &QTextBrowser::backward);
    connect(pForward, &QPushButton::clicked, m_pBrowser, &QTextBrowser::forward);
    connect(pHome, &QPushButton::clicked, this, [this] { showPage(kContentsPage); });
    connect(m_pBrowser, &QTextBrowser::backwardAvailable, pBack, &QPushButton::setEnabled);
    connect(m_pBrowser, &QTextBrowser::forwardAvailable, pForward, &QPushButton::setEnabled);

    auto* pRight = new QWidget;
    auto* pRightLayout = new QVBoxLayout(pRight);
    pRightLayout->setContentsMargins(0, 0, 0, 0);
    auto* pButtons = new QHBoxLayout;
    pButtons->addWidget(pHome);
    pButtons->addWidget(pBack);
    pButtons->addWidget(pForward);
    pButtons->addStretch(1);
    pRightLayout->addLayout(pButtons);
    pRightLayout->addWidget(m_pBrowser, 1);

    auto* pSplitter = new QSplitter;
    pSplitter->addWidget(m_pTabs);
    pSplitter->addWidget(pRight);
    pSplitter->setStretchFactor(1, 1);
    auto* pLayout = new QHBoxLayout(this);
    pLayout->addWidget(pSplitter);
    const int iLine = fontMetrics().height();
    resize(iLine * 50, iLine * 32);
    pSplitter->setSizes({iLine * 14, iLine * 36});

    connect(m_pContents, &QListWidget::itemActivated, this,
            [this](QListWidgetItem* pItem) { showPage(pItem->data(Qt::UserRole).toString()); });
    connect(m_pContents, &QListWidget::itemClicked, this,
            [this](QListWidgetItem* pItem) { showPage(pItem->data(Qt::UserRole).toString()); });
    connect(m_pSearch, &QLineEdit::textChanged, this, &THelpWindowForm::fillKeywords);
    connect(m_pSearch, &QLineEdit::returnPressed, this, &THelpWindowForm::openKeyword);
    connect(m_pKeywords, &QListWidget::itemActivated, this, &THelpWindowForm::openKeyword);
    // Choosing the Search tab is choosing to type a word.
    connect(m_pTabs, &QTabWidget::currentChanged, this, [this](int iTab) {
        if (iTab == 1) m_pSearch->setFocus();
    });
    fillKeywords({});
    m_pBrowser->setSource(QUrl(kContentsPage));
}

void THelpWindowForm::PlaceOverWorkArea()
{
    // The work area of the program's main window: below its menus and speed bar.
    QRect area;
    for (QWidget* pTop : QApplication::topLevelWidgets()) {
        const auto* pMain = qobject_cast<const QMainWindow*>(pTop);
        if (!pMain || !pMain->isVisible() || !pMain->centralWidget()) continue;
        const QWidget* pCentre = pMain->centralWidget();
        area = QRect(pCentre->mapToGlobal(QPoint(0, 0)), pCentre->size());
        break;
    }
    if (area.isEmpty()) return;
    // The frame the window manager adds is not known before the first showing: a title
    // bar's height is left free above the window.
    const int iTitleBar = style()->pixelMetric(QStyle::PM_TitleBarHeight);
    const QSize size(std::min(width(), area.width()), std::min(height(), area.height() - iTitleBar));
    resize(size);
    move(area.right() + 1 - size.width(), area.top() + iTitleBar);
}

void THelpWindowForm::showPage(const QString& sUrl)
{
    if (m_pBrowser->source() != QUrl(sUrl)) m_pBrowser->setSource(QUrl(sUrl));
    if (!isVisible()) PlaceOverWorkArea();
    show();
    raise();
    activateWindow();
}

void THelpWindowForm::showSearch()
{
    m_pTabs->setCurrentIndex(1);
    m_pSearch->clear();
    if (!isVisible()) PlaceOverWorkArea();
    show();
    raise();
    activateWindow();
    m_pSearch->setFocus();
}

void THelpWindowForm::fillKeywords(const QString& sText)
{
    m_pKeywords->clear();
    for (const auto& [sKeyword, sUrl] : MatchHelpKeywords(sText)) {
        auto* pItem = new QListWidgetItem(sKeyword, m_pKeywords);
        pItem->setData(Qt::UserRole, sUrl);
    }
    if (m_pKeywords->count() > 0) m_pKeywords->setCurrentRow(0);
}

void THelpWindowForm::openKeyword()
{
    if (QListWidgetItem* pItem = m_pKeywords->currentItem()) showPage(pItem->data(Qt::UserRole).toString());
}

// ---------------------------------------------------------------------------------------

QtHelp::QtHelp() = default;
QtHelp::~QtHelp() = default;

THelpWindowForm& QtHelp::window()
{
    if (!m_pWindow) m_pWindow = std::make_unique<THelpWindowForm>();
    return *m_pWindow;
}

void QtHelp::showContents()
{
    window().tabs()->setCurrentIndex(0);
    window().showPage(kContentsPage);
}

void QtHelp::showSearch()
{
    window().showSearch();
}

void QtHelp::showHowToUse()
{
    window().showPage(kHowToUsePage);
}

void QtHelp::showContext(int iContext)
{
    window().showPage(HelpPageOfContext(iContext));
}

bool QtHelp::openUrl(std::string_view sUrl)
{
    WaitCursorGuard hourglass;
    return QDesktopServices::openUrl(QUrl(QString::fromUtf8(sUrl.data(), static_cast<qsizetype>(sUrl.size()))));
}

}  // namespace HalvrennInc
