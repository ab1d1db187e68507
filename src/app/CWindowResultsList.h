#pragma once

#include "platform/IResultsList.h"

#include <QObject>
#include <functional>

class CResultsModel;
class QWidget;

// The disposing thread's view of the results list in the window. Every call
// runs on the user-interface thread and blocks only the calling worker.
class CWindowResultsList : public IResultsList
{
public:
    // pContext: an object of the user-interface thread that outlives every pass.
    CWindowResultsList(QObject* pContext, CResultsModel& model, std::function<bool()> isVisible);

    int GetRowCount() override;
    std::string GetRowPath(int nRow) override;
    bool IsRowChecked(int nRow) override;
    SFileIdentity GetRowIdentity(int nRow) override;
    void DeleteRow(int nRow) override;
    bool IsWindowVisible() override;

private:
    QObject* m_pContext;
    CResultsModel& m_model;
    std::function<bool()> m_isVisible;
};
