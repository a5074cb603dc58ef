#include "platform/TerminationSignal.h"

#include <QCoreApplication>
#include <QSocketNotifier>
#include <csignal>
#include <sys/signalfd.h>
#include <unistd.h>

namespace {

int signalDescriptor = -1;

sigset_t terminationSignals() {
    sigset_t set;
    sigemptyset(&set);
    sigaddset(&set, SIGTERM);
    sigaddset(&set, SIGINT);
    return set;
}

} // namespace

void blockTerminationSignals() {
    const sigset_t set = terminationSignals();
    if (pthread_sigmask(SIG_BLOCK, &set, nullptr) == 0)
        signalDescriptor = signalfd(-1, &set, SFD_CLOEXEC | SFD_NONBLOCK);
}

void quitOnTerminationSignals() {
    if (signalDescriptor < 0)
        return;
    auto* notifier =
        new QSocketNotifier(signalDescriptor, QSocketNotifier::Read, QCoreApplication::instance());
    QObject::connect(notifier, &QSocketNotifier::activated, [] {
        signalfd_siginfo info{};
        while (::read(signalDescriptor, &info, sizeof info) == sizeof info) {
        }
        QCoreApplication::quit();
    });
}
