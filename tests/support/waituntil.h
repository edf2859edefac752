#pragma once

#include <QEventLoop>
#include <QTimer>

// Runs the event loop until `done` holds, or `timeoutMs` has passed (a guard against a hang,
// not a measure); whether it holds. Unlike QTest::qWaitFor it leaves deferred deletions to the
// event loop as the program's own loop would: forcing them in the middle of a transfer breaks
// Qt's following of redirects.
template <typename Condition> bool waitUntil(Condition done, int timeoutMs = 30000)
{
    if (done())
        return true;
    QEventLoop loop;
    QTimer poll;
    poll.callOnTimeout(&loop, [&] {
        if (done())
            loop.quit();
    });
    poll.start(5);
    QTimer::singleShot(timeoutMs, &loop, &QEventLoop::quit);
    loop.exec();
    return done();
}
