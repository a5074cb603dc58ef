#include "app/Application.h"

#include <cstdio>
#include <stdexcept>

StationApplication::StationApplication(int& argc, char** argv) : QApplication(argc, argv) {}

StationApplication* StationApplication::instance() {
    return qobject_cast<StationApplication*>(QCoreApplication::instance());
}

bool StationApplication::notify(QObject* receiver, QEvent* event) {
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception& error) {
        if (onException)
            onException(receiver, error);
        else
            std::fprintf(stderr, "appel: %s\n", error.what());
    } catch (...) {
        const std::runtime_error unknown("erreur inattendue");
        if (onException)
            onException(receiver, unknown);
        else
            std::fprintf(stderr, "appel: %s\n", unknown.what());
    }
    return false;
}
