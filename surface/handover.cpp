#include "handover.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QThread>
#include <atomic>
#include <exception>
#include <thread>

namespace surface {

void RunOffGuiThread(const std::function<void()>& work)
{
    const QCoreApplication* application = QCoreApplication::instance();
    if (!application || QThread::currentThread() != application->thread()) {
        work();
        return;
    }
    QEventLoop loop;
    std::atomic<bool> done = false;
    std::exception_ptr error;
    std::thread worker([&] {
        try {
            work();
        } catch (...) {
            error = std::current_exception();
        }
        done = true;
        QMetaObject::invokeMethod(&loop, &QEventLoop::quit, Qt::QueuedConnection);
    });
    QCoreApplication::processEvents();
    // A quit posted before exec() starts is still in the queue when it does:
    // done is set before the quit is posted.
    if (!done)
        loop.exec();
    // The loop also ends when the application quits; the work is waited for
    // all the same.
    worker.join();
    if (error)
        std::rethrow_exception(error);
}

} // namespace surface
