// Test helper: answers a modal dialog once it is up, from inside its event loop, so that
// tests drive the real boxes and dialogs that the code under test runs with exec().
#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QTimer>
#include <QWidget>
#include <functional>
#include <memory>

namespace HalvrennInc::testing {

//! Calls answer(dialog) as soon as a modal widget of type T is the active modal widget;
//! a test failure when none comes up within the time limit.
template <typename T>
void AnswerNextModal(std::function<void(T&)> answer, int iTimeoutMs = 5000)
{
    auto* pTimer = new QTimer;
    auto pClock = std::make_shared<QElapsedTimer>();
    pClock->start();
    pTimer->setInterval(5);
    QObject::connect(pTimer, &QTimer::timeout, [pTimer, pClock, answer, iTimeoutMs]() {
        T* pDialog = qobject_cast<T*>(QApplication::activeModalWidget());
        if (!pDialog && pClock->elapsed() < iTimeoutMs) return;
        pTimer->stop();
        pTimer->deleteLater();
        if (!pDialog) {
            ADD_FAILURE() << "no modal " << T::staticMetaObject.className() << " came up";
            if (QWidget* pOther = QApplication::activeModalWidget()) pOther->close();
            return;
        }
        answer(*pDialog);
    });
    pTimer->start();
}

}  // namespace HalvrennInc::testing
