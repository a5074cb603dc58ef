#pragma once

#include <QApplication>
#include <exception>
#include <functional>

// The application object. Every exception that escapes an event handler ends that handler here
// and goes to the installed handler; the message loop runs on.
class StationApplication : public QApplication {
    Q_OBJECT
public:
    using ExceptionHandler = std::function<void(QObject* sender, const std::exception& error)>;

    StationApplication(int& argc, char** argv);

    static StationApplication* instance();
    void setExceptionHandler(ExceptionHandler handler) { onException = std::move(handler); }

    bool notify(QObject* receiver, QEvent* event) override;

private:
    ExceptionHandler onException;
};
