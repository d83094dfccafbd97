// Ostrel-Vane Studio - the undo history of the workbook.
#include "workbook/ui/WorkbookHistory.h"

#include <QAction>
#include <memory>

#include "workbook/WorkbookChange.h"

namespace HalvrennInc {

namespace {
constexpr int kTypingId = 1;

QString WithStep(const char* psCommand, const QString& sStep)
{
    const QString sCommand = QString::fromLatin1(psCommand);
    return sStep.isEmpty() ? sCommand : sCommand + QLatin1Char(' ') + sStep;
}
}  // namespace

//! One step: a change already made when it is pushed, undone and redone from then on.
class WorkbookHistory::Step : public QUndoCommand {
public:
    Step(WorkbookHistory& history, const QString& sName, std::unique_ptr<WorkbookChange> pChange, int iId,
         std::uint64_t uVisit)
        : QUndoCommand(sName), m_history(history), m_pChange(std::move(pChange)), m_iId(iId), m_uVisit(uVisit)
    {
    }
    int id() const override { return m_iId; }
    std::size_t bytes() const { return sizeof(*this) + m_pChange->Bytes(); }
    void undo() override
    {
        ++m_history.m_iBusy;
        m_pChange->Revert();
        --m_history.m_iBusy;
    }
    void redo() override
    {
        // The push of a step that was just made does not make it again.
        if (m_bMade) {
            m_bMade = false;
            return;
        }
        ++m_history.m_iBusy;
        m_pChange->Apply();
        --m_history.m_iBusy;
    }
    bool mergeWith(const QUndoCommand* pOther) override
    {
        const auto* pLater = static_cast<const Step*>(pOther);
        if (pLater->m_uVisit != m_uVisit || !m_pChange->Absorb(*pLater->m_pChange)) return false;
        // Typing that came back to the cell's first text is no step at all.
        setObsolete(m_pChange->ChangesNothing());
        return true;
    }

private:
    WorkbookHistory& m_history;
    std::unique_ptr<WorkbookChange> m_pChange;
    int m_iId;
    std::uint64_t m_uVisit;
    bool m_bMade = true;
};

WorkbookHistory::WorkbookHistory(Workbook& workbook, QObject* pParent) : QObject(pParent), m_workbook(workbook)
{
    m_pUndo = new QAction(QStringLiteral("&Undo"), this);
    m_pUndo->setObjectName(QStringLiteral("EditUndoItem"));
    m_pUndo->setStatusTip(QStringLiteral("Take back the last change of the data."));
    m_pUndo->setShortcut(QKeySequence::Undo);
    m_pUndo->setEnabled(false);
    m_pRedo = new QAction(QStringLiteral("R&edo"), this);
    m_pRedo->setObjectName(QStringLiteral("EditRedoItem"));
    m_pRedo->setStatusTip(QStringLiteral("Make the change that was taken back again."));
    m_pRedo->setShortcuts({QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), QKeySequence(Qt::CTRL | Qt::Key_Y)});
    m_pRedo->setEnabled(false);
    connect(m_pUndo, &QAction::triggered, &m_stack, &QUndoStack::undo);
    connect(m_pRedo, &QAction::triggered, &m_stack, &QUndoStack::redo);
    connect(&m_stack, &QUndoStack::canUndoChanged, m_pUndo, &QAction::setEnabled);
    connect(&m_stack, &QUndoStack::canRedoChanged, m_pRedo, &QAction::setEnabled);
    connect(&m_stack, &QUndoStack::undoTextChanged, this,
            [this](const QString& sStep) { m_pUndo->setText(WithStep("&Undo", sStep)); });
    connect(&m_stack, &QUndoStack::redoTextChanged, this,
            [this](const QString& sStep) { m_pRedo->setText(WithStep("R&edo", sStep)); });
    m_workbook.addObserver(this);
    startVisit();
}

WorkbookHistory::~WorkbookHistory()
{
    m_workbook.removeObserver(this);
    // The steps hold sheets that the windows may still show no more; they go first.
    m_stack.clear();
}

bool WorkbookHistory::Record(const QString& sStep, const std::function<bool()>& operation)
{
    if (m_bRecording) return operation();
    auto pChange = std::make_unique<WorkbookChange>(m_workbook);
    m_bRecording = true;
    ++m_iBusy;
    const bool bResult = operation();
    --m_iBusy;
    m_bRecording = false;
    if (pChange->Finish()) m_stack.push(new Step(*this, sStep, std::move(pChange), -1, m_uVisit));
    return bResult;
}

void WorkbookHistory::Type(std::uint32_t uColumn, std::uint32_t uRow, std::string_view sText)
{
    if (m_bRecording) {
        m_workbook.SetCellText(uColumn, uRow, sText);
        return;
    }
    auto pChange = std::make_unique<WorkbookChange>(m_workbook);
    ++m_iBusy;
    m_workbook.SetCellText(uColumn, uRow, sText);
    --m_iBusy;
    if (!pChange->Finish()) return;
    m_stack.push(new Step(*this, QString::fromLatin1(kTypingStep), std::move(pChange), kTypingId, m_uVisit));
}

bool WorkbookHistory::RevertVisit()
{
    const Sheet& sheet = m_workbook.activeSheet();
    if (sheet.cellText(sheet.currentColumn(), sheet.currentRow()) == m_sEntryText) return false;
    const std::string sEntryText = m_sEntryText;
    Type(sheet.currentColumn(), sheet.currentRow(), sEntryText);
    return true;
}

void WorkbookHistory::Clear()
{
    m_stack.clear();
    startVisit();
}

std::size_t WorkbookHistory::Bytes() const
{
    std::size_t uBytes = 0;
    for (int i = 0; i < m_stack.count(); ++i) uBytes += static_cast<const Step*>(m_stack.command(i))->bytes();
    return uBytes;
}

void WorkbookHistory::currentCellChanged(const Sheet& /*sheet*/)
{
    startVisit();
}

void WorkbookHistory::startVisit()
{
    ++m_uVisit;
    const Sheet& sheet = m_workbook.activeSheet();
    m_sEntryText = sheet.cellText(sheet.currentColumn(), sheet.currentRow());
}

}  // namespace HalvrennInc
