// Ostrel-Vane Studio - the program's help on the desktop: a window that shows the short
// pages shipped inside the program, with a list of contents and a search by keyword,
// and the shell's "open" for the home page.
#pragma once

#include <QString>
#include <QStringList>
#include <QWidget>
#include <memory>
#include <vector>

#include "platform/DesktopServices.h"

class QLineEdit;
class QListWidget;
class QTabWidget;
class QTextBrowser;

namespace HalvrennInc {

//! The page of a help context (the topic numbers of the windows, dialogs and menus):
//! "qrc:/help/..." with an anchor where the topic is part of a page. An unknown context
//! gives the contents.
QString HelpPageOfContext(int iContext);

//! One help page: its resource URL, title and keywords.
struct HelpPage {
    QString sUrl;
    QString sTitle;
    QStringList psKeywords;
};
//! Every page of the help, in the order of the contents.
const std::vector<HelpPage>& HelpPages();

//! The keywords that contain the text (ignoring case), those that begin with it first,
//! each with the page it leads to; every keyword when the text is blank.
std::vector<std::pair<QString, QString>> MatchHelpKeywords(const QString& sText);

class THelpWindowForm : public QWidget {
    Q_OBJECT
public:
    explicit THelpWindowForm(QWidget* pParent = nullptr);

    QTabWidget* tabs() const { return m_pTabs; }
    QListWidget* contentsList() const { return m_pContents; }
    QLineEdit* searchEdit() const { return m_pSearch; }
    QListWidget* keywordList() const { return m_pKeywords; }
    QTextBrowser* browser() const { return m_pBrowser; }

    //! Shows a page in front of other windows.
    void showPage(const QString& sUrl);
    //! Shows the search page with an empty keyword, ready for typing.
    void showSearch();
    //! Before a showing: the window goes over the right of the main window's work area,
    //! leaving its menus and speed bar free.
    void PlaceOverWorkArea();

private:
    void fillKeywords(const QString& sText);
    void openKeyword();

    QTabWidget* m_pTabs;
    QListWidget* m_pContents;
    QLineEdit* m_pSearch;
    QListWidget* m_pKeywords;
    QTextBrowser* m_pBrowser;
};

class QtHelp : public Help {
public:
    QtHelp();
    ~QtHelp() override;
    QtHelp(const QtHelp&) = delete;
    QtHelp& operator=(const QtHelp&) = delete;

    void showContents() override;
    void showSearch() override;
    void showHowToUse() override;
    void showContext(int iContext) override;
    //! Asks the desktop to open the address in its own way and returns at once.
    bool openUrl(std::string_view sUrl) override;

    //! The help window, made when it is first asked for.
    THelpWindowForm& window();

private:
    std::unique_ptr<THelpWindowForm> m_pWindow;
};

}  // namespace HalvrennInc
