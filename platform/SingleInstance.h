#pragma once

#include <QObject>
#include <QString>

class QLocalServer;

// One running station per user and executable file name. The first instance listens under a
// key; a later one asks it to restore and raise its main window, then ends.
class SingleInstance : public QObject {
    Q_OBJECT
public:
    // An empty key turns the guard off (tests that run many windows in one process).
    explicit SingleInstance(const QString& key, QObject* parent = nullptr);
    ~SingleInstance() override;

    // The key of this user and this executable's file name, compared without letter case.
    static QString defaultKey();

    // True when another instance was already running; it has been asked to come forward.
    bool anotherInstanceRuns() const { return otherRuns; }

signals:
    void restoreRequested();

private:
    QLocalServer* server = nullptr;
    bool otherRuns = false;
};
