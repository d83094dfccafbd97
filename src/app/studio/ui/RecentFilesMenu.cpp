// Ostrel-Vane Studio - the recent-file list in the File menu.
#include "app/studio/ui/RecentFilesMenu.h"

#include <QAction>
#include <QMenu>

#include "app/studio/RecentFileList.h"

namespace HalvrennInc {

RecentFilesMenu::RecentFilesMenu(RecentFileList& list, QMenu& menu, QAction& anchor,
                                 std::function<void(const std::string&)> open, QObject* pParent)
    : QObject(pParent), m_list(list), m_pMenu(&menu), m_pAnchor(&anchor), m_open(std::move(open))
{
    m_list.setChangeHandler([this] { rebuild(); });
    rebuild();
}

RecentFilesMenu::~RecentFilesMenu()
{
    m_list.setChangeHandler(nullptr);
}

void RecentFilesMenu::rebuild()
{
    if (!m_pMenu || !m_pAnchor) return;
    // An item may be the one being chosen (its file is read and the list changes), so
    // the items leave the menu now and are deleted once the event loop is back.
    if (m_pClosingSeparator) m_items.push_back(m_pClosingSeparator);
    for (QAction* pItem : m_items) {
        m_pMenu->removeAction(pItem);
        pItem->deleteLater();
    }
    m_items.clear();
    m_pClosingSeparator = nullptr;
    if (m_list.Entries().empty()) return;

    // Inserted before the item that follows the anchor.
    const QList<QAction*> actions = m_pMenu->actions();
    const qsizetype iAnchor = actions.indexOf(m_pAnchor.data());
    QAction* pBefore = iAnchor >= 0 && iAnchor + 1 < actions.size() ? actions[iAnchor + 1] : nullptr;
    std::uint32_t uNumber = 1;
    for (const std::string& sName : m_list.Entries()) {
        QString sCaption = QString::fromStdString(RecentFileList::MenuCaption(uNumber++, ""));
        // An ampersand in a file name is shown as one, not taken for an access key.
        sCaption += QString::fromUtf8(sName.data(), static_cast<qsizetype>(sName.size()))
                        .replace(QStringLiteral("&"), QStringLiteral("&&"));
        auto* pItem = new QAction(sCaption, m_pMenu);
        pItem->setStatusTip(QStringLiteral("Open this file."));
        connect(pItem, &QAction::triggered, this, [this, sName] { m_open(sName); });
        m_pMenu->insertAction(pBefore, pItem);
        m_items.push_back(pItem);
    }
    m_pClosingSeparator = new QAction(m_pMenu);
    m_pClosingSeparator->setSeparator(true);
    m_pMenu->insertAction(pBefore, m_pClosingSeparator);
}

}  // namespace HalvrennInc
