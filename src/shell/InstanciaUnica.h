#pragma once

#include <QObject>

#include <memory>

class QLocalServer;
class QLockFile;

// One running program per user. The first instance holds a lock in the user's
// runtime folder and listens on a local socket; a later one wakes it and ends.
// A lock left by a crashed instance is taken over.
class InstanciaUnica : public QObject {
    Q_OBJECT

  public:
    explicit InstanciaUnica(const QString& nombre, QObject* parent = nullptr);
    ~InstanciaUnica() override;
    // True in the first instance; false after waking the one already running.
    bool primera() const { return primera_; }

  signals:
    // A later start asked this instance to come to the front.
    void despertada();

  private:
    std::unique_ptr<QLockFile> cerrojo_;
    QLocalServer* servidor_ = nullptr;
    bool primera_ = false;
};
