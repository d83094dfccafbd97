// Ostrel-Vane Studio - the recent-file list in the File menu: one item per entry after
// the anchor (the separator above "E&xit"), "&1 " and the file name, then a closing
// separator; none of them when the list is empty. Choosing an item opens its file.
#pragma once

#include <QObject>
#include <QPointer>
#include <functional>
#include <string>
#include <vector>

class QAction;
class QMenu;

namespace HalvrennInc {

class RecentFileList;

class RecentFilesMenu : public QObject {
    Q_OBJECT
public:
    //! The list must outlive this binding; the items are built at once.
    RecentFilesMenu(RecentFileList& list, QMenu& menu, QAction& anchor, std::function<void(const std::string&)> open,
                    QObject* pParent = nullptr);
    ~RecentFilesMenu() override;

    //! The entry items now in the menu, in order (without the closing separator).
    const std::vector<QAction*>& items() const { return m_items; }

private:
    void rebuild();

    RecentFileList& m_list;
    QPointer<QMenu> m_pMenu;
    QPointer<QAction> m_pAnchor;
    std::function<void(const std::string&)> m_open;
    std::vector<QAction*> m_items;
    QAction* m_pClosingSeparator = nullptr;
};

}  // namespace HalvrennInc
